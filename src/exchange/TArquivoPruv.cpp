#include "exchange/TArquivoPruv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <optional>
#include <stdexcept>
#include <vector>

#include "exchange/IFonteEntrega.h"
#include "exchange/LayoutDeclar.h"
#include "exchange/ResultadoEntrega.h"
#include "exchange/TFontePruv.h"
#include "exchange/TNomeEntrega.h"
#include "exchange/TOrdemRegistros.h"
#include "exchange/TReciboEntrega.h"
#include "exchange/TRegistroCabecalho.h"
#include "exchange/TRegistroTipo1.h"
#include "exchange/TRegistroTipo2.h"
#include "exchange/TRegistroTipo3.h"
#include "exchange/TRegistroTipo4.h"
#include "exchange/TSaidaDeclar.h"
#include "model/people/TNi.h"
#include "model/values/ArquivosTexto.h"
#include "model/values/PastasPrograma.h"
#include "model/values/TErro.h"
#include "platform/compress/Compressao.h"
#include "platform/compress/ResultadoCompressao.h"
#include "platform/db/TDatabase.h"
#include "platform/db/TTransacao.h"
#include "platform/files/TArquivoNovo.h"
#include "platform/files/TArquivoTexto.h"
#include "platform/files/TEspacoEmDisco.h"
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

// One run of Gera.
class TGeracao {
public:
    TGeracao(IFonteEntrega& Fonte, const bool& Cancelado, IProgresso* Gauge, const QString& Ordem, const QString& Uf,
             const QString& NumeroRecibo, TReciboEntrega& Recibo)
        : FFonte(Fonte)
        , FCancelado(Cancelado)
        , FGauge(Gauge)
        , FAberta(Fonte.Aberta())
        , FUf(Uf)
        , FNumeroRecibo(NumeroRecibo)
        , FTipo1(Recibo.Ini())
        , FTipo4(Recibo.Ini())
    {
        // The establishment order belongs to a CNPJ: the declarant's own when none is given.
        if (!FAberta.PessoaFisica)
            FOrdem = Ordem.isEmpty() ? ObtemOrdemCnpj(FAberta.Ni, false) : Ordem;
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

    // Steps 2 to 9: Declar.txt for every establishment found. The result is 0, Cancelado
    // (157, the text kept as far as written) or the first fault (the text deleted).
    std::uint8_t Escreve(const std::vector<TEntrada>& Entradas, qint64 Capacidade, int Registros)
    {
        FCapacidade = Capacidade;
        if (FGauge)
            FGauge->DefineFaixa(0, Registros);
        if (!CriaArquivoTexto(FArquivo, CaminhoDeclar()))
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
        return FCancelado ? R::FalhaCompactacao : R::Ok;
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
    [[nodiscard]] bool Continua() const
    {
        return !FCancelado && !FSaida->Falhou() && FCapacidade > FSaida->Sequencia();
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
    const bool& FCancelado;
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

// Steps 12 and 13: names the delivery file, asks before overwriting, refuses when a receipt
// file is there, packs the receipt data and the text into a temporary file beside the target
// and puts it in place only when the library's CRC is the writer's.
std::uint8_t Comprime(QString& Arquivo, const QString& Pasta, const QString& Nome, const QString& Declar,
                      const QString& Recibo, quint32 Crc, IProgresso* Gauge)
{
    Arquivo = QDir(Pasta).filePath(Nome);
    std::uint8_t resultado = R::Ok;
    if (QFileInfo::exists(Arquivo)
        && InterfaceUsuario::Mostra(PerguntaSobrescreve, TipoDialogo::Confirmacao, Botao::Sim | Botao::Nao)
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
    if (Gauge)
        Gauge->DefineFaixa(0, 100);
    const auto progresso = [Gauge](int percentual) {
        Posiciona(Gauge, percentual);
        InterfaceUsuario::Atividade().MantemVivo();
    };
    // What a run killed midway left beside the delivery file goes first: the packing's
    // temporaries and a packed file that never reached its name.
    TArquivoNovo::RemoveAbandonados(Pasta);
    const QString temporario = Arquivo + QStringLiteral(".tmp");
    QFile::remove(temporario);
    QString escrito = temporario;
    const int r = ComprimirPruv(escrito, progresso);
    if (r == ResultadoCompressao::Cancelado)
        return R::Recusado;
    if (r != ResultadoCompressao::Ok)
        return R::FalhaCompactacao;
    const bool mesmoCrc = ObtemCRCDeclaracao() == Crc;
    InterfaceUsuario::Atividade().MantemVivo();
    QString erro;
    if (!mesmoCrc || !TArquivoNovo::Renomeia(escrito, Arquivo, erro)) {   // replaces at once
        QFile::remove(escrito);
        if (!mesmoCrc)
            InterfaceUsuario::Mostra(CrcDiferente, TipoDialogo::Erro, Botao::Ok);
        return R::FalhaCompactacao;
    }
    return R::Ok;
}

}   // namespace

TArquivoPruv::TArquivoPruv()
{
    TReciboEntrega().Apaga();
}

TArquivoPruv::~TArquivoPruv() = default;

std::uint8_t TArquivoPruv::Gera(QString& Arquivo, const bool& Cancelado, TPruv& Declaracao, TColecaoPruv& Colecao,
                                IProgresso* GaugeRegistros, IProgresso* GaugeCompactacao, const QStringList& Chaves,
                                const TVolume& Volume, const QString& Ordem, const QString& Uf,
                                const QString& NumeroRecibo, int Registros)
{
    std::unique_ptr<TFontePruv> fonte;
    try {
        fonte = std::make_unique<TFontePruv>(Declaracao, Colecao);
    } catch (const TErro& e) {
        e.Exibe();
        return e.Codigo();
    }
    return Gera(Arquivo, Cancelado, *fonte, GaugeRegistros, GaugeCompactacao, Chaves, Volume, Ordem, Uf, NumeroRecibo,
                Registros);
}

std::uint8_t TArquivoPruv::Gera(QString& Arquivo, const bool& Cancelado, IFonteEntrega& Fonte,
                                IProgresso* GaugeRegistros, IProgresso* GaugeCompactacao, const QStringList& Chaves,
                                const TVolume& Volume, const QString& Ordem, const QString& Uf,
                                const QString& NumeroRecibo, int Registros)
{
    std::optional<TGeracao> geracao;
    // What a run that does not end with its file in place takes back: the delivery file it put
    // there, the receipt data it wrote (half a receipt) and, once the generation was recorded,
    // what the open declaration was given (the stored ones roll back with the transaction).
    bool concluido = false;
    IFonteEntrega* desfaz = nullptr;
    QString colocado;
    const auto desfazSeFalhou = qScopeGuard([&] {
        if (concluido)
            return;
        if (!colocado.isEmpty())
            QFile::remove(colocado);
        TReciboEntrega().Apaga();
        if (!desfaz)
            return;
        try {
            desfaz->DesfazRegistros();
        } catch (const TErro& e) {
            e.Exibe();
        }
    });
    try {
        // 1: room for the lines expected.
        const qint64 capacidade = Capacidade();
        if (Registros >= capacidade)
            return R::SemEspaco;

        TReciboEntrega recibo;
        if (!recibo.Apaga())
            return R::ErroGravacao;
        geracao.emplace(Fonte, Cancelado, GaugeRegistros, Ordem, Uf, NumeroRecibo, recibo);
        const std::vector<TEntrada> entradas = Entradas(Chaves);
        std::uint8_t resultado = geracao->Escreve(entradas, capacidade, Registros);
        FCrc = geracao->Crc();
        if (resultado != R::Ok)
            return resultado;

        // 10 to 14 in one transaction, committed only once the delivery file is in place: a
        // failure on the way leaves no declaration marked as written without its file.
        const auto banco = TDatabase::DaPasta(DiretorioDados());
        TTransacao transacao(*banco);
        desfaz = &Fonte;

        // 10: the generation, in every establishment written and in the open declaration.
        if (GaugeRegistros)
            GaugeRegistros->Completa();
        const QDateTime agora = FRelogio ? FRelogio() : QDateTime::currentDateTime();
        const TDeclaracaoEntrega& aberta = geracao->Aberta();
        const int larguraRaiz = aberta.PessoaFisica ? 9 : 8;
        for (const TEntrada& entrada : geracao->Achadas()) {
            const auto erro = Fonte.RegistraGeracao(entrada.Ano, entrada.Ni,
                                                    entrada.Ni.left(larguraRaiz) + geracao->Ordem(), agora,
                                                    static_cast<int>(entradas.size()));
            if (erro) {
                erro->Exibe();
                if (resultado == R::Ok)
                    resultado = erro->Codigo();
            }
        }
        if (resultado != R::Ok) {
            // An establishment's own error: its declarations are stored with the new date all the
            // same, and the run ends without receipt data or packing.
            transacao.Confirma();
            concluido = true;
            return resultado;
        }

        // 11: the receipt data of the head declaration.
        const QString niEntrega = geracao->NiEntrega();
        TDeclaracaoEntrega cabeca = aberta;
        Fonte.Carrega(aberta.Ano, niEntrega, cabeca);
        recibo.Grava(cabeca, geracao->Totais(), agora.date(), FCrc);

        // 12, 13: the delivery file.
        resultado = Comprime(Arquivo, TNomeEntrega::Pasta(Volume, niEntrega, aberta.Ano),
                             TNomeEntrega::Arquivo(niEntrega, aberta.Ano, aberta.Tipo == QLatin1String("R"),
                                                   aberta.SituacaoEspecial, aberta.PessoaFisica),
                             TGeracao::CaminhoDeclar(), recibo.Caminho(), FCrc, GaugeCompactacao);
        if (resultado != R::Ok)
            return resultado;

        // 14: the volumes the delivery took, once it is in place.
        colocado = Arquivo;
        const int volumes = recibo.Volumes();
        for (const TEntrada& entrada : geracao->Achadas())
            Fonte.RegistraVolumes(entrada.Ano, entrada.Ni, volumes);
        transacao.Confirma();
        concluido = true;
        return resultado;
    } catch (const TErro& e) {
        if (geracao)
            geracao->Descarta();
        e.Exibe();
        return e.Codigo();
    } catch (const EIniFile&) {
        if (geracao)
            geracao->Descarta();
        return R::ErroGravacao;   // the receipt data could not be written
    } catch (const std::overflow_error&) {
        if (geracao)
            geracao->Descarta();
        return R::ErroGravacao;   // more lines than the layout can number
    } catch (const std::exception& e) {
        if (geracao)
            geracao->Descarta();
        TErro::MostraMensagem(QStringLiteral("erro inesperado: ") + QString::fromUtf8(e.what()), TipoDialogo::Erro,
                              Botao::Ok, 0);
        return R::FalhaCompactacao;
    }
}
