#include "exchange/delivery/TArquivoPruv.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
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
#include "platform/files/TArquivoNovo.h"
#include "platform/files/TArquivoTexto.h"
#include "platform/files/TEspacoEmDisco.h"
#include "platform/files/TSubstituicao.h"
#include "platform/files/TVolumes.h"
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
        , FTipo1(Recibo.Ini())
        , FTipo4(Recibo.Ini())
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
        return Cancelado() ? R::FalhaCompactacao : R::Ok;
    }

    // Drops the text being written and deletes an earlier one.
    void Descarta()
    {
        FArquivo.Descarta();
        QFile::remove(CaminhoDeclar());
    }

    [[nodiscard]] quint32 Crc() const { return FCrc; }
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

// The record the recovery reads: the database's unless a test gave another.
TArquivoPruv::TRegistro& Registro()
{
    static TArquivoPruv::TRegistro registro;
    return registro;
}

QString TextoData(const std::optional<double>& Data)
{
    return Data ? QString::number(*Data, 'g', 17) : QStringLiteral("-");
}

// The hash of the bytes of the file at Caminho, empty when it cannot be read.
QByteArray Hash(const QString& Caminho)
{
    QFile arquivo(Caminho);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (!arquivo.open(QIODevice::ReadOnly) || !hash.addData(&arquivo) || arquivo.error() != QFileDevice::NoError)
        return {};
    return hash.result().toHex();
}

// What a delivery file's mark says: the declaration it was written for, the generation date
// recorded for it in the same commit and what the new file holds, then the date the declaration
// held before the run (none: it was not stored) and what the earlier file held (empty: none).
QByteArray Marca(const QString& Ano, const QString& Ni, double Data, const QByteArray& HashNovo,
                 const std::optional<double>& DataAnterior, const QByteArray& HashAnterior)
{
    return QStringList{Ano,
                       Ni,
                       TextoData(Data),
                       QString::fromLatin1(HashNovo),
                       TextoData(DataAnterior),
                       QString::fromLatin1(HashAnterior)}
        .join(QLatin1Char('\n'))
        .toUtf8();
}

// Which file a killed run left recorded. A file goes only when the database holds exactly the
// date that goes with the other one and both files are the ones the mark names: the new one at
// its place and the earlier one aside. Anything else (a mark that cannot be read or is not this
// writer's, a database that cannot be read, holds no such declaration or another date, a file
// that is not the one named) keeps both.
TSubstituicao::TDestino Decide(const TSubstituicao::TSobra& Sobra)
{
    using D = TSubstituicao::TDestino;
    if (Sobra.EstadoMarca != TSubstituicao::TSobra::TMarca::Lida)
        return D::FicamAmbos;
    const QStringList partes = QString::fromUtf8(Sobra.Marca).split(QLatin1Char('\n'));
    if (partes.size() != 6 || partes[3].isEmpty())
        return D::FicamAmbos;
    const bool novoNoLugar = Hash(Sobra.Destino) == partes[3].toLatin1();
    // With nothing aside nothing but the mark goes, whatever became of the earlier file.
    const bool anteriorAparte = Sobra.Aparte.isEmpty()
        || (!partes[5].isEmpty() && Hash(Sobra.Aparte) == partes[5].toLatin1());
    if (!novoNoLugar || !anteriorAparte)
        return D::FicamAmbos;
    std::optional<double> gravada;
    try {
        gravada = Registro() ? Registro()(partes[0], partes[1]) : TFontePruv::DataGravadaNoBanco(partes[0], partes[1]);
    } catch (const std::exception& e) {
        qWarning("the record of a delivery file left by an interrupted run cannot be read: %s", e.what());
        return D::FicamAmbos;
    }
    if (!gravada)
        return D::FicamAmbos;
    if (TextoData(gravada) == partes[2])
        return D::FicaNovo;
    if (TextoData(gravada) == partes[4] && !Sobra.Aparte.isEmpty())
        return D::VoltaAnterior;
    return D::FicamAmbos;
}

// A failure of the database while the run records what it did, in the program's own words.
void MostraFalhaBanco(const EDatabaseError& Erro)
{
    TErro(CodigoMensagem::TabelaNaoAtualizada, ParametroEscrita(QStringLiteral("Pruv"), Erro), 0).Exibe();
}

// Any other failure, with what it says of itself.
void MostraErroInesperado(const std::exception& Erro)
{
    TErro::MostraMensagem(QStringLiteral("erro inesperado: ") + TextoDaFalha(Erro), TipoDialogo::Erro, Botao::Ok, 0);
}

// The delivery file Arquivo in Pasta, packed beside it (Pacote) for the caller to put in place:
// asks before overwriting one, refuses when a receipt file is there, and keeps the packing only
// when the library's CRC is the writer's.
std::uint8_t Comprime(const QString& Arquivo, const QString& Pasta, const QString& Declar, const QString& Recibo,
                      quint32 Crc, const TPedidoGeracao& Pedido, QString& Pacote)
{
    std::uint8_t resultado = R::Ok;
    if (QFileInfo::exists(Arquivo)
        && PerguntaPor(Pedido.Pergunta, PerguntaSobrescreve, TipoDialogo::Confirmacao, Botao::Sim | Botao::Nao)
            != Resposta::Sim)
        resultado = R::Recusado;
    if (!TNomeEntrega::ReciboExistente(Arquivo).isEmpty())
        return R::ReciboExiste;
    if (resultado != R::Ok)
        return resultado;
    if (!QDir().mkpath(Pasta))
        return R::FalhaCompactacao;

    // A file the library could not take leaves nothing behind for the next packing.
    if (!AdicionaArquivo(Recibo))
        return R::FalhaCompactacao;
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
        return R::Recusado;
    if (r != ResultadoCompressao::Ok)
        return R::FalhaCompactacao;
    const bool mesmoCrc = ObtemCRCDeclaracao() == Crc;
    InterfaceUsuario::Atividade().MantemVivo();
    if (!mesmoCrc) {
        QFile::remove(escrito);
        InterfaceUsuario::Mostra(CrcDiferente, TipoDialogo::Erro, Botao::Ok);
        return R::FalhaCompactacao;
    }
    Pacote = escrito;
    return R::Ok;
}

}   // namespace

TArquivoPruv::TArquivoPruv()
{
    TReciboEntrega().Apaga();
}

TArquivoPruv::~TArquivoPruv() = default;

void TArquivoPruv::DefineRegistro(TRegistro Registro_)
{
    Registro() = std::move(Registro_);
}

void TArquivoPruv::RemoveSobras(const QString& Pasta)
{
    // The user hears once of files kept that no record names: the recovery leaves no mark to
    // decide on again.
    QStringList mantidos;
    const auto decide = [&mantidos](const TSubstituicao::TSobra& sobra) {
        const TSubstituicao::TDestino destino = Decide(sobra);
        if (destino == TSubstituicao::TDestino::FicamAmbos)
            mantidos << QFileInfo(sobra.Destino).fileName();
        return destino;
    };
    QStringList expostos;
    TSubstituicao::Recupera(Pasta, TNomeEntrega::EhArquivo, decide, &expostos);
    if (!mantidos.isEmpty()) {
        for (const QString& exposto : std::as_const(expostos))
            mantidos << QFileInfo(exposto).fileName();
        InterfaceUsuario::Mostra(
            QStringLiteral("Uma gravação de arquivo de entrega foi interrompida e não foi possível saber qual "
                           "arquivo a declaração registra. Nenhum arquivo foi apagado: confira os arquivos "
                           "abaixo, na pasta %1, e grave a declaração novamente se for preciso.\n\n%2")
                .arg(QDir::toNativeSeparators(Pasta), mantidos.join(QLatin1Char('\n'))),
            TipoDialogo::Aviso, Botao::Ok);
    }
    TArquivoNovo::RemoveAbandonados(Pasta);
    const QDir pasta(Pasta);
    for (const QString& nome : pasta.entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden | QDir::System))
        if (TNomeEntrega::EhPacote(nome))
            QFile::remove(pasta.filePath(nome));
}

void TArquivoPruv::RemoveSobrasPadrao()
{
    const QDir::Filters pastas = QDir::Dirs | QDir::NoDotAndDotDot;
    const QDir gravadas(TNomeEntrega::Gravadas(TVolumes::PastaBase()));
    for (const QString& ni : gravadas.entryList(pastas)) {
        const QDir pastaNi(gravadas.filePath(ni));
        for (const QString& ano : pastaNi.entryList(pastas))
            RemoveSobras(pastaNi.filePath(ano));
    }
    // A delivery onto a removable medium goes to its root: those mounted now are seen to as well.
    for (const TVolume& volume : TVolumes::Lista())
        if (volume.Removivel())
            RemoveSobras(volume.Raiz);
}

TResultadoGeracao TArquivoPruv::Gera(TPruv& Declaracao, TColecaoPruv& Colecao, const TPedidoGeracao& Pedido)
{
    std::unique_ptr<TFontePruv> fonte;
    try {
        fonte = std::make_unique<TFontePruv>(Declaracao, Colecao);
    } catch (const TErro& e) {
        e.Exibe();
        return {e.Codigo(), QString()};
    }
    return Gera(*fonte, Pedido);
}

TResultadoGeracao TArquivoPruv::Gera(IFonteEntrega& Fonte, const TPedidoGeracao& Pedido)
{
    TResultadoGeracao resultado;
    std::optional<TEscritaDeclar> escrita;
    // What a run that does not end with its file in place and recorded takes back: the receipt
    // data it wrote (half a receipt) and, once the generation was recorded, what the open
    // declaration was given (the stored ones roll back with the transaction).
    bool concluido = false;
    IFonteEntrega* desfaz = nullptr;
    const auto desfazSeFalhou = qScopeGuard([&] {
        if (concluido)
            return;
        TReciboEntrega().Apaga();
        if (!desfaz)
            return;
        // Nothing leaves here: a database that keeps failing is shown, and the program goes on.
        try {
            desfaz->DesfazRegistros();
        } catch (const TErro& e) {
            e.Exibe();
        } catch (const EDatabaseError& e) {
            MostraFalhaBanco(e);
        } catch (const std::exception& e) {
            MostraErroInesperado(e);
        }
    });
    const auto termina = [&resultado](std::uint8_t Codigo) {
        resultado.Codigo = Codigo;
        return resultado;
    };
    try {
        // Room for the lines expected, or nothing is written.
        const qint64 capacidade = Capacidade();
        if (Pedido.Registros >= capacidade)
            return termina(R::SemEspaco);

        TReciboEntrega recibo;
        if (!recibo.Apaga())
            return termina(R::ErroGravacao);
        escrita.emplace(Fonte, Pedido, recibo);
        const std::vector<TEntrada> entradas = Entradas(Pedido.Chaves);
        std::uint8_t codigo = escrita->Escreve(entradas, capacidade, Pedido.Registros);
        FCrc = escrita->Crc();
        if (codigo != R::Ok)
            return termina(codigo);

        // What a run killed midway left beside the delivery file goes first, decided by what the
        // database holds before this run records anything: an earlier file it kept aside is back
        // at its place before the question whether to overwrite it.
        const TDeclaracaoEntrega& aberta = escrita->Aberta();
        const QString niEntrega = escrita->NiEntrega();
        const QString pasta = TNomeEntrega::Pasta(Pedido.Volume, niEntrega, aberta.Ano);
        RemoveSobras(pasta);

        // The date the declaration holds before this run records its own, for the mark.
        const std::optional<double> dataAnterior = Fonte.DataGravada(aberta.Ano, niEntrega);
        // What follows the text is one transaction, committed only once the delivery file is in
        // place: a failure on the way leaves no declaration marked as written without its file.
        const auto banco = TDatabase::DaPasta(DiretorioDados());
        TTransacao transacao(*banco);
        desfaz = &Fonte;

        // The generation, in every establishment written and in the open declaration.
        if (Pedido.GaugeRegistros)
            Pedido.GaugeRegistros->Completa();
        const QDateTime agora = FRelogio ? FRelogio() : QDateTime::currentDateTime();
        const int larguraRaiz = aberta.PessoaFisica ? 9 : 8;
        for (const TEntrada& entrada : escrita->Achadas()) {
            const auto erro = Fonte.RegistraGeracao(entrada.Ano, entrada.Ni,
                                                    entrada.Ni.left(larguraRaiz) + escrita->Ordem(), agora,
                                                    static_cast<int>(entradas.size()));
            if (erro) {
                erro->Exibe();
                if (codigo == R::Ok)
                    codigo = erro->Codigo();
            }
        }
        if (codigo != R::Ok) {
            // An establishment's own error: its declarations are stored with the new date all the
            // same, and the run ends without receipt data or packing.
            transacao.Confirma();
            concluido = true;
            return termina(codigo);
        }

        // The receipt data of the head declaration.
        TDeclaracaoEntrega cabeca = aberta;
        Fonte.Carrega(aberta.Ano, niEntrega, cabeca);
        recibo.Grava(cabeca, escrita->Totais(), agora.date(), FCrc);

        // The delivery file, named for the delivery's number, year, type and situation.
        resultado.Arquivo = QDir(pasta).filePath(TNomeEntrega::Arquivo(
            niEntrega, aberta.Ano, aberta.Tipo == QLatin1String("R"), aberta.SituacaoEspecial, aberta.PessoaFisica));
        QString pacote;
        codigo = Comprime(resultado.Arquivo, pasta, TEscritaDeclar::CaminhoDeclar(), recibo.Caminho(), FCrc, Pedido,
                          pacote);
        if (codigo != R::Ok)
            return termina(codigo);

        // The volumes the delivery took are recorded before it takes the earlier file's place,
        // and the earlier file goes only with the commit: until then a failure puts it back as
        // it was (the substitution's destructor, before the transaction's rolls back).
        // The mark names the date the new file is recorded with, so that after a process that
        // ended before the commit the next start knows which of the two files the database
        // holds.
        QByteArray marca;
        if (const auto data = Fonte.DataGravada(aberta.Ano, niEntrega)) {
            const bool haAnterior = QFileInfo::exists(resultado.Arquivo);
            QByteArray hashAnterior = haAnterior ? Hash(resultado.Arquivo) : QByteArray();
            if (haAnterior && hashAnterior.isEmpty())
                hashAnterior = "?";   // unreadable: no file will match it, and the recovery keeps both
            marca = Marca(aberta.Ano, niEntrega, *data, Hash(pacote), dataAnterior, hashAnterior);
        }
        TSubstituicao substituicao(pacote, resultado.Arquivo, marca);
        const int volumes = recibo.Volumes();
        for (const TEntrada& entrada : escrita->Achadas())
            Fonte.RegistraVolumes(entrada.Ano, entrada.Ni, volumes);
        if (QString erro; !substituicao.Coloca(erro))
            return termina(R::FalhaCompactacao);
        transacao.Confirma();
        concluido = true;
        if (QString erro; !substituicao.Confirma(erro)) {
            // The new file is in place and recorded; what could not go is seen to at the next start.
            InterfaceUsuario::Mostra(QStringLiteral("O arquivo de entrega foi gravado, mas o arquivo anterior ou a "
                                                    "marca da gravação não puderam ser removidos da pasta %1 (%2). "
                                                    "Serão removidos quando o programa for iniciado novamente.")
                                         .arg(QDir::toNativeSeparators(pasta), erro),
                                     TipoDialogo::Erro, Botao::Ok);
            return termina(R::ErroGravacao);
        }
        return termina(codigo);
    } catch (const TErro& e) {
        if (escrita)
            escrita->Descarta();
        e.Exibe();
        return termina(e.Codigo());
    } catch (const EIniFile&) {
        if (escrita)
            escrita->Descarta();
        return termina(R::ErroGravacao);   // the receipt data could not be written
    } catch (const std::overflow_error&) {
        if (escrita)
            escrita->Descarta();
        return termina(R::ErroGravacao);   // more lines than the layout can number
    } catch (const EDatabaseError& e) {
        if (escrita)
            escrita->Descarta();
        MostraFalhaBanco(e);
        return termina(R::FalhaCompactacao);
    } catch (const std::exception& e) {
        if (escrita)
            escrita->Descarta();
        MostraErroInesperado(e);
        return termina(R::FalhaCompactacao);
    }
}
