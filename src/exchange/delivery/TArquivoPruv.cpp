#include "exchange/delivery/TArquivoPruv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <optional>
#include <stdexcept>
#include <vector>

#include "exchange/delivery/IFonteEntrega.h"
#include "exchange/layout/LayoutDeclar.h"
#include "exchange/delivery/ResultadoEntrega.h"
#include "exchange/delivery/TFontePruv.h"
#include "exchange/layout/TNomeEntrega.h"
#include "exchange/delivery/TOrdemRegistros.h"
#include "exchange/delivery/TReciboEntrega.h"
#include "exchange/delivery/TRegistroCabecalho.h"
#include "exchange/delivery/TRegistroTipo1.h"
#include "exchange/delivery/TRegistroTipo2.h"
#include "exchange/delivery/TRegistroTipo3.h"
#include "exchange/delivery/TRecuperacaoEntrega.h"
#include "exchange/delivery/TRegistroTipo4.h"
#include "exchange/delivery/TSaidaDeclar.h"
#include "model/people/TNi.h"
#include "model/storage/OperacoesTabela.h"
#include "model/values/ArquivosTexto.h"
#include "model/values/CodigoMensagem.h"
#include "model/values/PastasPrograma.h"
#include "model/values/TErro.h"
#include "platform/compress/Compressao.h"
#include "platform/compress/ResultadoCompressao.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TTransacao.h"
#include "platform/files/CriaPastas.h"
#include "platform/files/TArquivoTexto.h"
#include "platform/files/TEspacoEmDisco.h"
#include "platform/files/TMotivoSistema.h"
#include "platform/files/TSubstituicao.h"
#include "platform/ui/IProgresso.h"
#include "platform/ui/InterfaceUsuario.h"

namespace R = ResultadoEntrega;

namespace {

const QString PerguntaSobrescreve = QStringLiteral("Esta declaração já foi gravada, deseja sobrescrevê-la?");
const QString CrcDiferente = QStringLiteral("ERRO: crc diferente");

// One establishment of the list: its year and its number with check digits.
struct TEntrada {
    QString Ano;
    QString Ni;
};

std::vector<TEntrada> Entradas(const QStringList& Chaves)
{
    std::vector<TEntrada> entradas;
    for (const QString& chave : Chaves) {
        const QString raiz = chave.mid(4, 14).trimmed();
        entradas.push_back({chave.left(4), raiz + CalculaDV(raiz)});
    }
    return entradas;
}

void Posiciona(IProgresso* Gauge, int Posicao)
{
    if (Gauge)
        Gauge->DefinePosicao(Posicao);
}

// Lines the free space of the data folder's volume holds, after the reserve.
qint64 Capacidade()
{
    return (TEspacoEmDisco::Livre(DiretorioDados()) - TArquivoPruv::ReservaEmDisco) / LayoutDeclar::TamanhoRegistro;
}

// The writing of Declar.txt in one run of Gera, and what the rest of the run takes from it:
// the establishments found, the delivery's number, the totals and the CRC of the receipt data.
class TEscritaDeclar {
public:
    TEscritaDeclar(IFonteEntrega& Fonte, const TPedidoGeracao& Pedido, TReciboEntrega& Recibo)
        : FFonte(Fonte)
        , FCancelado(Pedido.Cancelado)
        , FPergunta(Pedido.Pergunta)
        , FGauge(Pedido.GaugeRegistros)
        , FAberta(Fonte.Aberta())
        , FUf(Pedido.Uf)
        , FNumeroRecibo(Pedido.NumeroRecibo)
        , FRecibo(Recibo)
        , FTipo1(Recibo)
        , FTipo4(Recibo)
    {
        // The establishment order belongs to a CNPJ: the declarant's own when none is given.
        if (!FAberta.PessoaFisica)
            FOrdem = Pedido.Ordem.isEmpty() ? ObtemOrdemCnpj(FAberta.Ni, false) : Pedido.Ordem;
    }

    [[nodiscard]] const TDeclaracaoEntrega& Aberta() const { return FAberta; }
    [[nodiscard]] const QString& Ordem() const { return FOrdem; }
    // The delivery's number: the declarant's root, the establishment order, their check digits.
    [[nodiscard]] QString NiEntrega() const
    {
        const QString raiz = FAberta.Ni.left(FAberta.PessoaFisica ? 9 : 8) + FOrdem;
        return raiz + CalculaDV(raiz);
    }
    [[nodiscard]] const TTotaisRecibo& Totais() const { return FTotais; }

    // Writes Declar.txt: for every establishment found, its header (once), its declarant line,
    // the value and total lines of its own items and, for a fund administrator, of each fund.
    // Stops at a cancel, at a fault or when the lines reach the free space. The result is 0,
    // FalhaCompactacao when cancelled (the text kept as far as written) or the first fault (the
    // text deleted).
    std::uint8_t Escreve(const std::vector<TEntrada>& Entradas, qint64 Capacidade, int Registros)
    {
        FCapacidade = Capacidade;
        if (FGauge)
            FGauge->DefineFaixa(0, Registros);
        if (!CriaArquivoTexto(FArquivo, CaminhoDeclar(), FPergunta))
            return R::ErroGravacao;
        FSaida.emplace(FArquivo);
        for (const TEntrada& entrada : Entradas) {
            if (!Continua())
                break;
            InterfaceUsuario::Atividade().MantemVivo();
            TDeclaracaoEntrega declaracao;
            if (!FFonte.Carrega(entrada.Ano, entrada.Ni, declaracao))
                continue;
            FAchadas.push_back(entrada);
            if (!FCabecalhoEscrito)
                EscreveCabecalho();
            FTipo1.Grava(*FSaida, declaracao, FOrdem, FNumeroRecibo);
            const QString ni = LayoutDeclar::NiDaLinha(declaracao.Ni, declaracao.PessoaFisica);
            FOrdemRegistros.Reinicia();
            EscreveItens('2', '3', ni, declaracao, nullptr);
            if (declaracao.Natureza == 3 && Continua())
                EscreveAnexos(declaracao);
        }
        if (FCapacidade <= FSaida->Sequencia())
            FSaida->Falha(R::ErroGravacao);
        FSaida->Descarrega();
        FCrc = FSaida->Crc();
        if (FSaida->Falhou()) {
            Descarta();
            return FSaida->Resultado();
        }
        if (!FArquivo.Fecha()) {
            Descarta();
            return R::ErroGravacao;
        }
        if (Cancelado())
            return R::FalhaCompactacao;
        // The establishments' and the funds' keys, in one commit of the receipt data.
        FRecibo.GravaAnotadas();
        return R::Ok;
    }

    // Drops the text being written and deletes an earlier one.
    void Descarta()
    {
        FArquivo.Descarta();
        QFile::remove(CaminhoDeclar());
    }

    [[nodiscard]] quint32 Crc() const { return FCrc; }
    // What the user reads of the fault that stopped the writing, when its code's message is not
    // all of it: the two keys of lines out of order.
    [[nodiscard]] QString Texto() const
    {
        if (!FSaida || FSaida->Texto().isEmpty())
            return {};
        return TErro::ComPontoFinal(TErro::Mensagem(FSaida->Resultado())) + QStringLiteral("\n\n") + FSaida->Texto();
    }
    [[nodiscard]] const std::vector<TEntrada>& Achadas() const { return FAchadas; }
    [[nodiscard]] static QString CaminhoDeclar() { return DiretorioDados() + QStringLiteral("/Declar.txt"); }

private:
    [[nodiscard]] bool Cancelado() const { return FCancelado && *FCancelado; }
    [[nodiscard]] bool Continua() const
    {
        return !Cancelado() && !FSaida->Falhou() && FCapacidade > FSaida->Sequencia();
    }

    void EscreveCabecalho()
    {
        const TRegistroCabecalho cabecalho(FOrdem, FUf);
        TDeclaracaoEntrega gravada = FAberta;
        if (!FAberta.PessoaFisica) {
            gravada = TDeclaracaoEntrega{};
            FFonte.Carrega(FAberta.Ano, cabecalho.NiDoCabecalho(FAberta), gravada);
        }
        cabecalho.Grava(*FSaida, FAberta, gravada, FNumeroRecibo);
        FCabecalhoEscrito = true;
    }

    void EscreveAnexos(const TDeclaracaoEntrega& Declaracao)
    {
        FOrdemRegistros.Reinicia();
        for (const TAnexoEntrega& anexo : FFonte.Anexos(Declaracao)) {
            if (!Continua())
                break;
            FTipo4.Grava(*FSaida, anexo, Declaracao);
            EscreveItens('5', '6', LayoutDeclar::NiDaLinha(anexo.Ni, anexo.PessoaFisica), Declaracao, &anexo);
        }
    }

    // The value lines of the declaration's own items or of one annex's, each withholding
    // code's run closed by its total line.
    void EscreveItens(char TipoValores, char TipoTotal, const QString& Ni, const TDeclaracaoEntrega& Declaracao,
                      const TAnexoEntrega* Anexo)
    {
        struct Fecha {
            IFonteEntrega& Fonte;
            ~Fecha() { Fonte.FechaItens(); }
        } fecha{FFonte};
        FFonte.AbreItens(Declaracao, Anexo);
        TItemEntrega item;
        bool temItem = FFonte.ProximoItem(item);
        while (temItem && Continua()) {
            const QString codigo = item.Codigo;
            TTotalCodigo total;
            while (temItem && item.Codigo == codigo && Continua()) {
                TRegistroTipo2::Grava(TipoValores, *FSaida, FOrdemRegistros, Ni, item, total);
                FTotais.Acumula(item);
                temItem = FFonte.ProximoItem(item);
                if (FGauge)
                    FGauge->Avanca(1);
            }
            TRegistroTipo3::Grava(TipoTotal, *FSaida, Ni, codigo, total);
        }
    }

    IFonteEntrega& FFonte;
    const bool* FCancelado;
    TPergunta FPergunta;
    IProgresso* FGauge;
    TDeclaracaoEntrega FAberta;
    QString FOrdem;
    QString FUf;
    QString FNumeroRecibo;
    TReciboEntrega& FRecibo;
    TRegistroTipo1 FTipo1;
    TRegistroTipo4 FTipo4;
    TArquivoTexto FArquivo;
    std::optional<TSaidaDeclar> FSaida;
    TOrdemRegistros FOrdemRegistros;
    TTotaisRecibo FTotais;
    qint64 FCapacidade = 0;
    bool FCabecalhoEscrito = false;
    std::vector<TEntrada> FAchadas;
    quint32 FCrc = 0;
};

// How a run ended: its code and, where the user reads other words than the code's message, those.
struct TFim {
    TFim(std::uint8_t Codigo_ = R::Ok, QString Texto_ = {})
        : Codigo(Codigo_)
        , Texto(std::move(Texto_))
    {}
    std::uint8_t Codigo;
    QString Texto;
};

TFim FimDoErro(const TErro& Erro)
{
    return {Erro.Codigo(), Erro.GetMensagem()};
}

// A failure of the database while the run records what it did, in the program's own words.
TFim FimDoBanco(const EDatabaseError& Erro)
{
    return FimDoErro(TErro(CodigoMensagem::TabelaNaoAtualizada, ParametroEscrita(QStringLiteral("Pruv"), Erro), 0));
}

// Any other failure, with what it says of itself.
TFim FimInesperado(const std::exception& Erro)
{
    return {R::FalhaCompactacao, QStringLiteral("erro inesperado: ") + TextoDaFalha(Erro)};
}

// A folder that refused what the run wrote there, told by its reason: a full disk as the lack of
// space it is, anything else (a folder the user may not write, a disk that takes no writes) as a
// failed write, never as the packing's failure.
TFim FalhaNaPasta(const QString& Pasta, int ErroSistema)
{
    const bool cheio = ErroSistema == ENOSPC || ErroSistema == EDQUOT;
    return {cheio ? R::SemEspaco : R::ErroGravacao,
            QStringLiteral("Não foi possível gravar na pasta %1: %2. A declaração não foi gerada.")
                .arg(QDir::toNativeSeparators(Pasta), TMotivoSistema::Texto(ErroSistema))};
}

// The delivery file Arquivo in Pasta, packed beside it (Pacote) for the caller to put in place:
// asks before overwriting one, refuses when a receipt file is there, and keeps the packing only
// when the library's CRC is the writer's.
TFim Comprime(const QString& Arquivo, const QString& Pasta, const QString& Declar, const QString& Recibo, quint32 Crc,
              const TPedidoGeracao& Pedido, QString& Pacote)
{
    std::uint8_t resultado = R::Ok;
    if (QFileInfo::exists(Arquivo)
        && PerguntaPor(Pedido.Pergunta, PerguntaSobrescreve, TipoDialogo::Confirmacao, Botao::Sim | Botao::Nao)
            != Resposta::Sim)
        resultado = R::Recusado;
    if (!TNomeEntrega::ReciboExistente(Arquivo).isEmpty())
        return {R::ReciboExiste};
    if (resultado != R::Ok)
        return {resultado};
    if (int erro = 0; !CriaPastas(Pasta, erro))
        return FalhaNaPasta(Pasta, erro);

    // A file the library could not take leaves nothing behind for the next packing.
    if (!AdicionaArquivo(Recibo))
        return {R::FalhaCompactacao};
    AdicionaArquivo(Declar);
    IProgresso* gauge = Pedido.GaugeCompactacao;
    if (gauge)
        gauge->DefineFaixa(0, 100);
    const auto progresso = [gauge](int percentual) {
        Posiciona(gauge, percentual);
        InterfaceUsuario::Atividade().MantemVivo();
    };
    QString escrito = TNomeEntrega::Pacote(Arquivo);
    const int r = ComprimirPruv(escrito, progresso);
    if (r == ResultadoCompressao::Cancelado)
        return {R::Recusado};
    if (r != ResultadoCompressao::Ok && ErroSistemaCompressao() != 0)
        return FalhaNaPasta(QFileInfo(ArquivoDoErroCompressao()).path(), ErroSistemaCompressao());
    if (r != ResultadoCompressao::Ok)
        return {R::FalhaCompactacao};
    const bool mesmoCrc = ObtemCRCDeclaracao() == Crc;
    InterfaceUsuario::Atividade().MantemVivo();
    if (!mesmoCrc) {
        QFile::remove(escrito);
        return {R::FalhaCompactacao, CrcDiferente};
    }
    Pacote = escrito;
    return {};
}

// One run of Gera. Each step ends the run with what the user is told when it cannot go on; a
// run that does not end with its file in place and recorded takes back the receipt data it wrote
// (half a receipt) and, once the generation was recorded, what the open declaration was given
// (the stored ones roll back with the transaction). Nothing here shows anything.
class TRodada {
public:
    TRodada(IFonteEntrega& Fonte, const TPedidoGeracao& Pedido, const std::function<QDateTime()>& Relogio)
        : FFonte(Fonte)
        , FPedido(Pedido)
        , FRelogio(Relogio)
    {}

    TResultadoGeracao Executa()
    {
        TFim fim;
        try {
            fim = Gera();
        } catch (const TErro& e) {
            fim = Falhou(FimDoErro(e));
        } catch (const EIniFile&) {
            fim = Falhou({R::ErroGravacao});   // the receipt data could not be written
        } catch (const std::overflow_error&) {
            fim = Falhou({R::ErroGravacao});   // more lines than the layout can number
        } catch (const EDatabaseError& e) {
            fim = Falhou(FimDoBanco(e));
        } catch (const std::exception& e) {
            fim = Falhou(FimInesperado(e));
        }
        if (!FConcluido)
            Desfaz(fim);
        FResultado.Codigo = fim.Codigo;
        FResultado.Texto = fim.Texto;
        return FResultado;
    }

    [[nodiscard]] quint32 Crc() const { return FCrc; }

private:
    TFim Gera()
    {
        // Room for the lines expected, or nothing is written.
        const qint64 capacidade = Capacidade();
        if (FPedido.Registros >= capacidade)
            return {R::SemEspaco};
        if (!FRecibo.Apaga())
            return {R::ErroGravacao};
        FEscrita.emplace(FFonte, FPedido, FRecibo);
        const std::vector<TEntrada> entradas = Entradas(FPedido.Chaves);
        const std::uint8_t codigo = FEscrita->Escreve(entradas, capacidade, FPedido.Registros);
        FCrc = FEscrita->Crc();
        if (codigo != R::Ok)
            return {codigo, FEscrita->Texto()};

        // What a run killed midway left beside the delivery file goes first, decided by what the
        // database holds before this run records anything: an earlier file it kept aside is back
        // at its place before the question whether to overwrite it.
        const TDeclaracaoEntrega& aberta = FEscrita->Aberta();
        const QString niEntrega = FEscrita->NiEntrega();
        const QString pasta = TNomeEntrega::Pasta(FPedido.Volume, niEntrega, aberta.Ano);
        FResultado.Avisos = TRecuperacaoEntrega::Recupera(pasta);

        // The date the declaration holds before this run records its own, for the mark.
        const std::optional<double> dataAnterior = FFonte.DataGravada(aberta.Ano, niEntrega);
        // What follows the text is one transaction, committed only once the delivery file is in
        // place: a failure on the way leaves no declaration marked as written without its file.
        const auto banco = TDatabase::DaPasta(DiretorioDados());
        TTransacao transacao(*banco);
        FRegistrou = true;
        if (FPedido.GaugeRegistros)
            FPedido.GaugeRegistros->Completa();
        FAgora = FRelogio ? FRelogio() : QDateTime::currentDateTime();
        if (TFim fim = Registra(static_cast<int>(entradas.size())); fim.Codigo != R::Ok) {
            // An establishment's own error: its declarations are stored with the new date all the
            // same, and the run ends without receipt data or packing.
            transacao.Confirma();
            FConcluido = true;
            return fim;
        }

        // The receipt data of the head declaration.
        TDeclaracaoEntrega cabeca = aberta;
        FFonte.Carrega(aberta.Ano, niEntrega, cabeca);
        FRecibo.Grava(cabeca, FEscrita->Totais(), FAgora.date(), FCrc);

        // The delivery file, named for the delivery's number, year, type and situation.
        FResultado.Arquivo = QDir(pasta).filePath(TNomeEntrega::Arquivo(
            niEntrega, aberta.Ano, aberta.Tipo == QLatin1String("R"), aberta.SituacaoEspecial, aberta.PessoaFisica));
        QString pacote;
        if (TFim fim = Comprime(FResultado.Arquivo, pasta, TEscritaDeclar::CaminhoDeclar(), FRecibo.Caminho(), FCrc,
                                FPedido, pacote);
            fim.Codigo != R::Ok)
            return fim;
        return Coloca(pacote, pasta, dataAnterior, transacao);
    }

    // The generation, in every establishment written and in the open declaration: the first
    // establishment's error gives the code, and each one's is told in one text.
    TFim Registra(int Estabelecimentos)
    {
        TFim fim;
        const int larguraRaiz = FEscrita->Aberta().PessoaFisica ? 9 : 8;
        for (const TEntrada& entrada : FEscrita->Achadas()) {
            const auto erro = FFonte.RegistraGeracao(
                entrada.Ano, entrada.Ni, entrada.Ni.left(larguraRaiz) + FEscrita->Ordem(), FAgora, Estabelecimentos);
            if (!erro)
                continue;
            if (fim.Codigo == R::Ok)
                fim.Codigo = erro->Codigo();
            fim.Texto += (fim.Texto.isEmpty() ? QString() : QStringLiteral("\n\n")) + erro->GetMensagem();
        }
        return fim;
    }

    // The volumes the delivery took are recorded before it takes the earlier file's place, and
    // the earlier file goes only with the commit: until then a failure puts it back as it was
    // (the substitution's destructor, before the transaction's rolls back). The mark names the
    // date the new file is recorded with, so that after a process that ended before the commit
    // the next start knows which of the two files the database holds; its companion goes once
    // the commit is made.
    TFim Coloca(const QString& Pacote, const QString& Pasta, const std::optional<double>& DataAnterior,
                TTransacao& Transacao)
    {
        const TDeclaracaoEntrega& aberta = FEscrita->Aberta();
        const QString niEntrega = FEscrita->NiEntrega();
        const QString& arquivo = FResultado.Arquivo;
        QByteArray marca;
        if (const auto data = FFonte.DataGravada(aberta.Ano, niEntrega)) {
            const bool haAnterior = QFileInfo::exists(arquivo);
            QByteArray hashAnterior = haAnterior ? TRecuperacaoEntrega::Hash(arquivo) : QByteArray();
            if (haAnterior && hashAnterior.isEmpty())
                hashAnterior = "?";   // unreadable: no file will match it, and the recovery keeps both
            marca = TRecuperacaoEntrega::Marca(aberta.Ano, niEntrega, *data, TRecuperacaoEntrega::Hash(Pacote),
                                               DataAnterior, hashAnterior);
        }
        TSubstituicao substituicao(Pacote, arquivo, marca, true, TRecuperacaoEntrega::PastaConfirmacoes());
        const int volumes = FRecibo.Volumes();
        for (const TEntrada& entrada : FEscrita->Achadas())
            FFonte.RegistraVolumes(entrada.Ano, entrada.Ni, volumes);
        if (QString erro; !substituicao.Coloca(erro))
            return {R::FalhaCompactacao,
                    QStringLiteral("O arquivo de entrega não pôde ser colocado na pasta %1 (%2). A declaração não "
                                   "foi gerada.")
                        .arg(QDir::toNativeSeparators(Pasta), erro)};
        Transacao.Confirma();
        FConcluido = true;
        if (QString erro; !substituicao.Confirma(erro)) {
            // The new file is in place and recorded; what could not go is seen to at the next start.
            QString texto = QStringLiteral("O arquivo de entrega foi gravado, mas o arquivo anterior ou a marca da "
                                           "gravação não puderam ser removidos da pasta %1 (%2). Serão removidos "
                                           "quando o programa for iniciado novamente.")
                                .arg(QDir::toNativeSeparators(Pasta), erro);
            // Until then only the database knows the commit: a restore would not, and is refused.
            if (!substituicao.NaoRegistrada().isEmpty())
                texto += QStringLiteral(" A confirmação da gravação também não pôde ser guardada na pasta %1 (%2): "
                                        "até que isso seja possível, ou que eles sejam removidos, uma cópia de "
                                        "segurança não poderá ser restaurada.")
                             .arg(QDir::toNativeSeparators(TRecuperacaoEntrega::PastaConfirmacoes()),
                                  substituicao.NaoRegistrada());
            return {R::Ok, texto};
        }
        return {};
    }

    // A failure that raised: the text being written goes, as does an earlier one.
    TFim Falhou(TFim Fim)
    {
        if (FEscrita)
            FEscrita->Descarta();
        return Fim;
    }

    // Takes back what the run gave; a failure to do so is told with the run's own, in one text.
    void Desfaz(TFim& Fim)
    {
        FRecibo.Apaga();
        if (!FRegistrou)
            return;
        TFim falha;
        try {
            FFonte.DesfazRegistros();
            return;
        } catch (const TErro& e) {
            falha = FimDoErro(e);
        } catch (const EDatabaseError& e) {
            falha = FimDoBanco(e);
        } catch (const std::exception& e) {
            falha = FimInesperado(e);
        }
        // A disk that keeps failing says the same twice: once is enough.
        const QString texto = Fim.Texto.isEmpty() ? TErro::Mensagem(Fim.Codigo) : Fim.Texto;
        if (falha.Texto != texto)
            Fim.Texto = texto + QStringLiteral("\n\n") + falha.Texto;
    }

    IFonteEntrega& FFonte;
    const TPedidoGeracao& FPedido;
    const std::function<QDateTime()>& FRelogio;
    QDateTime FAgora;   // the generation's date and time
    TReciboEntrega FRecibo;
    std::optional<TEscritaDeclar> FEscrita;
    TResultadoGeracao FResultado;
    quint32 FCrc = 0;
    bool FRegistrou = false;   // the generation was recorded, in the open declaration too
    bool FConcluido = false;   // the run ended with its file in place and recorded, or committed its error
};

}   // namespace

TArquivoPruv::TArquivoPruv()
{
    TReciboEntrega().Apaga();
}

TArquivoPruv::~TArquivoPruv() = default;

TResultadoGeracao TArquivoPruv::Gera(TPruv& Declaracao, TColecaoPruv& Colecao, const TPedidoGeracao& Pedido)
{
    std::unique_ptr<TFontePruv> fonte;
    try {
        fonte = std::make_unique<TFontePruv>(Declaracao, Colecao);
    } catch (const TErro& e) {
        TResultadoGeracao resultado;
        resultado.Codigo = e.Codigo();
        resultado.Texto = e.GetMensagem();
        return resultado;
    }
    return Gera(*fonte, Pedido);
}

TResultadoGeracao TArquivoPruv::Gera(IFonteEntrega& Fonte, const TPedidoGeracao& Pedido)
{
    TRodada rodada(Fonte, Pedido, FRelogio);
    TResultadoGeracao resultado = rodada.Executa();
    FCrc = rodada.Crc();
    return resultado;
}
