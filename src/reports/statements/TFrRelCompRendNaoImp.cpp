#include "reports/statements/TFrRelCompRendNaoImp.h"

#include "model/values/ArquivosTexto.h"
#include "model/values/TErro.h"
#include "platform/report/elements/TDadoSistema.h"
#include "platform/report/elements/TImagem.h"
#include "platform/report/bands/TRelatorio.h"
#include "platform/report/elements/TRotulo.h"
#include "reports/forms/FormularioRelato.h"
#include "reports/statements/TFoImprComprovante.h"
#include "reports/statements/TLeiauteComprovante.h"
#include "shell/printing/TFoPreview.h"

namespace {

constexpr qreal ColunaCpf = 160;   // the numbers are centred in the first 160 units

}   // namespace

TFrRelCompRendNaoImp::TFrRelCompRendNaoImp(const QString& Ni, bool Preview, int Quantidade)
    : FRelatorio(std::make_unique<TRelatorio>(QString::fromLatin1(Nome)))
    , FNi(Ni)
    , FPreview(Preview)
    , FQuantidade(Quantidade)
{
    FRelatorio->Titulo = QStringLiteral("Comprovantes de Rendimentos Não Impressos");
    FRelatorio->ImprimeSeVazio = false;
    FRelatorio->CabecalhoNaPrimeiraPagina = true;
    FRelatorio->RodapeNaUltimaPagina = true;
    CriaBandas();
    FRelatorio->AntesDeGerar = [this](bool&) { AntesDeGerar(); };
    FRelatorio->PrecisaDados = [this] { return PrecisaDados(); };
}

TFrRelCompRendNaoImp::~TFrRelCompRendNaoImp() = default;

void TFrRelCompRendNaoImp::CriaBandas()
{
    TRelatorio& r = *FRelatorio;
    const qreal largura = r.Papel().LarguraUtil();

    TBanda& cabecalho = r.CriaBanda(TTipoBanda::CabecalhoPagina, QStringLiteral("PageHeaderBand1"));
    auto& figura = cabecalho.Adiciona<TImagem>(QStringLiteral("QRImage1"));
    figura.Imagem = TLeiauteComprovante::Emblema();
    figura.Largura = 48;
    figura.Altura = 48;
    figura.Estica = true;
    cabecalho.AdicionaRotulo(QStringLiteral("QRLabel1"), QStringLiteral("Comprovantes de Rendimentos Não Impressos"),
                             60, 6, FonteRelato(14, true));
    cabecalho.AdicionaRotulo(QStringLiteral("QRLDeclarante"), QStringLiteral("Declarante: "), 60, 34, FonteRelato(10));
    Linha(cabecalho, QStringLiteral("ReguaTitulos"), 64 - 1, largura);
    auto& cpf = cabecalho.AdicionaRotulo(QStringLiteral("QRLabelCpf"), QStringLiteral("CPF"), 0, 70,
                                         FonteRelato(9, true));
    cpf.Largura = ColunaCpf;
    cpf.Alinhamento = Qt::AlignHCenter;
    cabecalho.AdicionaRotulo(QStringLiteral("QRLabelNome"), QStringLiteral("Nome"), ColunaCpf + 10, 70,
                             FonteRelato(9, true));
    Linha(cabecalho, QStringLiteral("ReguaColunas"), 90 - 1, largura);
    cabecalho.Altura = 96;
    FCabecalho = &cabecalho;

    TBanda& detalhe = r.CriaBanda(TTipoBanda::Detalhe, QStringLiteral("DetailBand1"));
    auto& numero = detalhe.AdicionaRotulo(QStringLiteral("QRLCpf"), QString(), 0, 2, FonteRelato(9));
    numero.Largura = ColunaCpf;
    numero.Alinhamento = Qt::AlignHCenter;
    detalhe.AdicionaRotulo(QStringLiteral("QRLNome"), QString(), ColunaCpf + 10, 2, FonteRelato(9));
    detalhe.Altura = 18;
    FDetalhe = &detalhe;

    TBanda& sumario = r.CriaBanda(TTipoBanda::Sumario, QStringLiteral("SummaryBand1"));
    sumario.AdicionaRotulo(QStringLiteral("QRLInstrucoes"), QStringLiteral("Instruções:"), 0, 14, FonteRelato(9, true));
    const char* const instrucoes[] = {
        ("Acima estão listados todos os beneficiários para os quais não foi possível emitir os comprovantes de "
         "rendimentos."),
        "Para que seja possível a impressão é necessário que a soma das deduções que são apresentadas na Pruv",
        "não seja inferior à soma das deduções do Comprovante de Rendimentos.",
        "Para maiores esclarecimentos, consulte o Ajuda do Programa.",
    };
    qreal y = 32;
    int n = 1;
    for (const char* linha : instrucoes) {
        sumario.AdicionaRotulo(QStringLiteral("QRLInstrucao%1").arg(n++), QString::fromUtf8(linha), 0, y,
                               FonteRelato(8));
        y += 15;
    }
    sumario.Altura = y + 4;

    TBanda& rodape = r.CriaBanda(TTipoBanda::RodapePagina, QStringLiteral("PageFooterBand1"));
    Linha(rodape, QStringLiteral("Regua"), 2 - 1, largura);
    auto& pagina = rodape.Adiciona<TDadoSistema>(QStringLiteral("QRSysPagina"), TTipoDadoSistema::NumeroPagina);
    pagina.Texto = QStringLiteral("Página ");
    pagina.Fonte = FonteRelato(8);
    pagina.Topo = 6;
    auto& data = rodape.Adiciona<TDadoSistema>(QStringLiteral("QRSysData"), TTipoDadoSistema::Data);
    data.Texto = QStringLiteral("Data: ");
    data.Fonte = FonteRelato(8);
    data.Topo = 6;
    data.Largura = largura;
    data.Alinhamento = Qt::AlignRight;
    rodape.Altura = 22;
}

bool TFrRelCompRendNaoImp::Abre(const QString& Arquivo)
{
    return AbreArquivoTexto(FArquivo, Arquivo);
}

void TFrRelCompRendNaoImp::Executa()
{
    if (FPreview)
        VisualizaRelatorio(*FRelatorio);
    else
        ImprimeRelatorio(*FRelatorio);
}

void TFrRelCompRendNaoImp::AntesDeGerar()
{
    if (FPreview) {
        FPreview = false;
        AtribuiImpressoraPreview();
    }
    FCabecalho->ElementoDe<TRotulo>(QStringLiteral("QRLDeclarante")).Texto = QStringLiteral("Declarante: ") + FNi;
    FLidas = 0;
}

bool TFrRelCompRendNaoImp::PrecisaDados()
{
    bool erro = false;
    QString linha;
    while (!FimDeArquivo(FArquivo, erro)) {
        if (!LeLinha(FArquivo, linha)) {
            TErro::MostraMensagem(QStringLiteral("Erro de acesso ao arquivo."), TipoDialogo::Erro, Botao::Ok, 0);
            return false;
        }
        const qsizetype separador = linha.indexOf(QLatin1Char(';'));
        if (separador < 0)
            continue;
        FDetalhe->ElementoDe<TRotulo>(QStringLiteral("QRLCpf")).Texto = linha.left(separador);
        auto& nome = FDetalhe->ElementoDe<TRotulo>(QStringLiteral("QRLNome"));
        nome.Texto = linha.mid(separador + 1);
        // Up to the margin, smaller where a size still read holds the name whole there.
        EncolheNaColuna(nome, FonteRelato(9), FRelatorio->Papel().LarguraUtil(), PontosLegiveis);
        ++FLidas;
        if (FQuantidade > 0)
            FRelatorio->DefineProgresso(FLidas * 100 / FQuantidade);
        return true;
    }
    return false;
}

void ImprimeRelatoComprNaoImpress(const QString& Ni, bool Preview, int Quantidade)
{
    TFrRelCompRendNaoImp form(Ni, Preview, Quantidade);
    if (!form.Abre(TFoImprComprovante::ArquivoNaoImpressos()))
        return;
    form.Executa();
}
