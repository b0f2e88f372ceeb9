#include "reports/listings/TFoRelatoLista.h"

#include "model/declaration/TAnexoFC.h"
#include "model/declaration/TPruv.h"
#include "shell/common/PapelRelatorio.h"
#include "platform/report/bands/TRelatorio.h"
#include "platform/report/elements/TRotulo.h"
#include "reports/forms/FormularioRelato.h"
#include "reports/forms/TCabecalhoRelato.h"
#include "reports/forms/TRodapeRelato.h"
#include "shell/printing/TFoPreview.h"

namespace {

constexpr qreal DistanciaTitulos = 22;   // from the foot of the page header
constexpr qreal TopoFundo = 100;         // the fund's line in the page header

std::unique_ptr<TRelatorio> NovoRelatorio(const QString& Nome, const QString& Titulo)
{
    auto relatorio = std::make_unique<TRelatorio>(Nome);
    relatorio->Titulo = Titulo;   // the print job's and the PDF file's name
    relatorio->Papel().DefineCodigo(1);
    relatorio->Papel().DefineOrientacao(TOrientacao::Paisagem);
    AjustaPapel(*relatorio);
    return relatorio;
}

}   // namespace

TFoRelatoLista::TFoRelatoLista(const QString& Nome, const QString& Titulo, const TPruv& Declaracao,
                               TColecaoPruv& Colecao, TColecaoPruvItem::TOrdem Ordem, bool Nota13)
    : FRelatorio(NovoRelatorio(Nome, Titulo))
    , FPercurso(Declaracao, Colecao, Ordem)
{
    TRelatorio& r = *FRelatorio;
    const qreal largura = r.Papel().LarguraUtil();
    FCabecalho = &r.CriaBanda(TTipoBanda::CabecalhoPagina, QStringLiteral("QRBCabecalho"));
    FCabecalho->Altura = AlturaCabecalho;
    TRotulo& titulo = Rotulo(*FCabecalho, QStringLiteral("QRLTitulo"), Titulo, 0, 6, 14, true);
    titulo.Largura = largura;
    titulo.Alinhamento = Qt::AlignHCenter;
    Linha(*FCabecalho, QStringLiteral("LinhaTitulo"), 36, largura);
    // A name on two lines stays above the fund's line, and the fund's above the column titles.
    FCabecalhoRelato = std::make_unique<TCabecalhoRelato>(*FCabecalho, 48, false, largura, TopoFundo - 2);
    FCabecalhoRelato->CriaFundo(TopoFundo, false, AlturaCabecalhoFundo - DistanciaTitulos - 2);
    Linha(*FCabecalho, QStringLiteral("LinhaTitulosColunas"), AlturaCabecalho - 4, largura);
    FAncorados.emplace_back(FCabecalho->Elementos().back().get(), 4);
    FCabecalho->AntesDeImprimir = [this](TBanda& banda, bool&) { AntesDoCabecalho(banda); };

    FRodape = std::make_unique<TRodapeRelato>(r, QStringLiteral("QRBRodape"), Nota13);
    r.AntesDeGerar = [this](bool&) { AntesDeGerar(); };
    r.PrecisaDados = [this] { return PrecisaDados(); };
}

TFoRelatoLista::~TFoRelatoLista() = default;

TRotulo& TFoRelatoLista::TituloColuna(const QString& Nome, const QString& Texto, qreal Esquerda, qreal Largura)
{
    TRotulo& r = Rotulo(*FCabecalho, Nome, Texto, Esquerda, AlturaCabecalho - DistanciaTitulos, 8, true);
    if (Largura > 0) {
        r.Largura = Largura;
        r.Alinhamento = Qt::AlignRight;
    }
    FAncorados.emplace_back(&r, DistanciaTitulos);
    return r;
}

void TFoRelatoLista::TitulosValores()
{
    TituloColuna(QStringLiteral("QRLTituloRendimentos"), QStringLiteral("Rendimentos"),
                 DireitaRendimentos - LarguraValor, LarguraValor);
    TituloColuna(QStringLiteral("QRLTituloDeducoes"), QStringLiteral("Deduções"), DireitaDeducoes - LarguraValor,
                 LarguraValor);
    TituloColuna(QStringLiteral("QRLTituloImposto"), QStringLiteral("Imposto Retido"), DireitaImposto - LarguraValor,
                 LarguraValor);
}

void TFoRelatoLista::RotulosValores(TBanda& Banda, const QString& Prefixo, qreal Topo, TRotulo*& Rendimento,
                                    TRotulo*& Deducao, TRotulo*& Imposto)
{
    Rendimento = &RotuloValor(Banda, Prefixo + QStringLiteral("Rendimentos"), DireitaRendimentos, Topo, LarguraValor);
    Deducao = &RotuloValor(Banda, Prefixo + QStringLiteral("Deducoes"), DireitaDeducoes, Topo, LarguraValor);
    Imposto = &RotuloValor(Banda, Prefixo + QStringLiteral("Imposto"), DireitaImposto, Topo, LarguraValor);
}

void TFoRelatoLista::Visualiza()
{
    VisualizaContando(*FRelatorio);
}

bool TFoRelatoLista::Imprime()
{
    return ImprimeContando(*FRelatorio);
}

void TFoRelatoLista::AntesDeGerar()
{
    FCabecalhoRelato->SaiDoFundo();
    FRodape->Limpa();
    FCabecalhoRelato->Preenche(FPercurso.Declaracao());
    FPercurso.Inicia();
    IniciaGeracao();
    AtribuiImpressoraPreview();
}

void TFoRelatoLista::AntesDoCabecalho(TBanda& Banda)
{
    const bool fundo = FCabecalhoRelato->NoFundo();
    Banda.Altura = fundo ? AlturaCabecalhoFundo : AlturaCabecalho;
    FCabecalhoRelato->MostraFundo();
    for (const auto& [elemento, distancia] : FAncorados)
        elemento->Topo = Banda.Altura - distancia;
    // The footer of this page names whom its header names, even when the page is closed by
    // the start of the next fund.
    FRodape->DefineIdentificacao(fundo ? QStringLiteral("Fundo ou Clube: ") + FCabecalhoRelato->CnpjFundo()
                                       : QStringLiteral("Declarante: ")
                                         + FPercurso.Declaracao().GetDeclarante().GetNiFormatado());
}

bool TFoRelatoLista::PrecisaDados()
{
    FRegistroDeItem = false;
    switch (FPercurso.Proximo()) {
    case TPercursoDeclaracao::TRegistro::Item:
        FRegistroDeItem = true;
        TomaItem(FPercurso.Item());
        break;
    case TPercursoDeclaracao::TRegistro::InicioFundo:
        FCabecalhoRelato->IniciaFundo(FPercurso.Anexo().GetFundo());
        FPercurso.Avanca();
        FRelatorio->NovaPagina();
        break;
    case TPercursoDeclaracao::TRegistro::Fim:
        AtualizaProgresso();
        return false;
    }
    AtualizaProgresso();
    return true;
}

void TFoRelatoLista::AtualizaProgresso()
{
    FRelatorio->DefineProgresso(FPercurso.Progresso());
}
