#include "screens/TFrDeclaracao.h"

#include <QApplication>
#include <QFrame>
#include <QScopedValueRollback>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "model/gui/UtilJanelas.h"
#include "screens/TFrInformacoesPruv.h"
#include "screens/TPruvCustomGrid.h"
#include "screens/TPruvEdit.h"
#include "screens/TPruvMemo.h"
#include "screens/TSaidaDeCampo.h"
#include "shell/FonteFormulario.h"

namespace {

constexpr int AjudaInformacoes = 12000;
constexpr int AjudaBeneficiarios = 12010;

struct TDefinicaoPagina {
    const char* Nome;
    const char* Legenda;
};

// In tab order, as TPaginaDeclaracao counts them.
constexpr TDefinicaoPagina Paginas[] = {
    {"TsInformacoes", "&Informações"},
    {"TsBeneficiariosPruv", "&Beneficiários"},
    {"TsFundos", "F&undos ou Clubes de Investimentos"},
    {"TsResumo", "&Resumo"},
    {"TsComprovante", "&Comprovante de Rendimentos"},
};

int Indice(TPaginaDeclaracao pagina)
{
    return static_cast<int>(pagina);
}

// The grid whose cell the focused control edits, or that is focused itself.
TPruvCustomGrid* GradeDoControle(QWidget* controle)
{
    for (QWidget* w = controle; w; w = w->parentWidget())
        if (auto* grade = qobject_cast<TPruvCustomGrid*>(w))
            return grade;
    return nullptr;
}

}  // namespace

TFrDeclaracao::TFrDeclaracao(QWidget* pai) : QWidget(pai)
{
    resize(Largura, Altura);
    setFont(FonteFormulario());
    auto* Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Panel1);
    auto* layoutPainel = new QVBoxLayout(Panel1);
    layoutPainel->setContentsMargins(0, 0, 0, 0);

    PgDeclaracao = new QTabWidget(Panel1);
    PgDeclaracao->setObjectName(QStringLiteral("PgDeclaracao"));
    PgDeclaracao->setDocumentMode(true);
    PgDeclaracao->tabBar()->setCursor(Qt::PointingHandCursor);
    DefineHelpContext(*PgDeclaracao, AjudaInformacoes);
    layoutPainel->addWidget(PgDeclaracao);
    for (const TDefinicaoPagina& definicao : Paginas) {
        auto* pagina = new QWidget(PgDeclaracao);
        pagina->setObjectName(QLatin1String(definicao.Nome));
        auto* layoutPagina = new QVBoxLayout(pagina);
        layoutPagina->setContentsMargins(0, 0, 0, 0);
        layoutPagina->setSpacing(0);
        PgDeclaracao->addTab(pagina, QString::fromUtf8(definicao.Legenda));
    }

    FrInformacoesPruv = new TFrInformacoesPruv(&Pagina(TPaginaDeclaracao::Informacoes));
    FrInformacoesPruv->setObjectName(QStringLiteral("FrInformacoesPruv"));
    DefineHelpContext(*FrInformacoesPruv, AjudaInformacoes);
    Pagina(TPaginaDeclaracao::Informacoes).layout()->addWidget(FrInformacoesPruv);
    DefineHelpContext(Pagina(TPaginaDeclaracao::Beneficiarios), AjudaBeneficiarios);

    auto* espaco = new QFrame(&Pagina(TPaginaDeclaracao::Resumo));
    espaco->setObjectName(QStringLiteral("PnEspaco"));
    espaco->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    espaco->setFixedHeight(6);
    PnEspaco = espaco;
    auto* layoutResumo = static_cast<QVBoxLayout*>(Pagina(TPaginaDeclaracao::Resumo).layout());
    layoutResumo->addWidget(PnEspaco);
    layoutResumo->addStretch(1);

    // The optional pages stay closed (tab hidden, sheet disabled) until shown.
    for (TPaginaDeclaracao opcional : {TPaginaDeclaracao::Fundos, TPaginaDeclaracao::Comprovante}) {
        PgDeclaracao->setTabEnabled(Indice(opcional), false);
        PgDeclaracao->setTabVisible(Indice(opcional), false);
    }
    connect(PgDeclaracao, &QTabWidget::currentChanged, this, &TFrDeclaracao::PaginaMudou);
}

TFrDeclaracao::~TFrDeclaracao() = default;

void TFrDeclaracao::SetPruv(TPruv& Pruv)
{
    Declaracao = &Pruv;
    FrInformacoesPruv->SetPruv(Pruv);
}

void TFrDeclaracao::SetColecaoPruv(TColecaoPruv& Colecao)
{
    ColecaoPruv = &Colecao;
    FrInformacoesPruv->SetColecaoPruv(Colecao);
}

void TFrDeclaracao::Abre(TPosicionaCampo Posiciona)
{
    FPosicionaCampo = std::move(Posiciona);
    FAberto = false;
    PgDeclaracao->setCurrentIndex(Indice(TPaginaDeclaracao::Informacoes));
    FAtual = FAnterior = TPaginaDeclaracao::Informacoes;
    DefineHelpContext(*PgDeclaracao, AjudaInformacoes);
    FAberto = true;
    FrInformacoesPruv->Abre(*this);
    // The beneficiary, annex, summary and statement pages open here as they come.
}

bool TFrDeclaracao::PodeSair()
{
    // A field's message is waiting or showing, or this check shows one: its dialog took the
    // activation away, and the user stays without being told twice.
    if (FVerificando || TSaidaDeCampo::MensagemPendente())
        return false;
    const QScopedValueRollback verificando(FVerificando, true);
    QWidget* ativo = ControleAtivo();
    if (auto* edit = qobject_cast<TPruvEdit*>(ativo); edit && !edit->Valida())
        return false;
    if (TPruvCustomGrid* grade = GradeDoControle(ativo); grade && !grade->Valida())
        return false;
    if (auto* memo = qobject_cast<TPruvMemo*>(ativo); memo && !memo->Valida())
        return false;
    return FrInformacoesPruv->Valida();
}

void TFrDeclaracao::Fecha()
{
    FrInformacoesPruv->Fecha();
    MostraFundos(false);
    MostraComprovante(false);
    FAberto = false;
    Declaracao = nullptr;
    ColecaoPruv = nullptr;
    hide();
    setEnabled(false);
}

bool TFrDeclaracao::MostraPagina(TPaginaDeclaracao pagina, bool Mostra)
{
    const int indice = Indice(pagina);
    const bool aberta = PgDeclaracao->isTabEnabled(indice);
    if (Mostra) {
        if (!aberta) {
            PgDeclaracao->setTabEnabled(indice, true);
            PgDeclaracao->setTabVisible(indice, true);
        }
        return !aberta;
    }
    if (aberta) {
        AtivaPagina(TPaginaDeclaracao::Informacoes);
        PgDeclaracao->setTabVisible(indice, false);
        PgDeclaracao->setTabEnabled(indice, false);
    }
    return aberta;
}

void TFrDeclaracao::MostraFundos(bool Mostra)
{
    MostraPagina(TPaginaDeclaracao::Fundos, Mostra);
    PnEspaco->setVisible(Mostra);
    FMostrandoFundos = Mostra;
}

void TFrDeclaracao::MostraComprovante(bool Mostra)
{
    MostraPagina(TPaginaDeclaracao::Comprovante, Mostra);
    FMostrandoComprovante = Mostra;
}

TPaginaDeclaracao TFrDeclaracao::PaginaAtiva() const
{
    return static_cast<TPaginaDeclaracao>(PgDeclaracao->currentIndex());
}

void TFrDeclaracao::AtivaPagina(TPaginaDeclaracao pagina)
{
    if (PgDeclaracao->isTabEnabled(Indice(pagina)))
        PgDeclaracao->setCurrentIndex(Indice(pagina));
}

QWidget& TFrDeclaracao::Pagina(TPaginaDeclaracao pagina)
{
    return *PgDeclaracao->widget(Indice(pagina));
}

QWidget& TFrDeclaracao::PaginaControle()
{
    return *PgDeclaracao;
}

QWidget* TFrDeclaracao::ControleAtivo() const
{
    return window()->focusWidget();
}

void TFrDeclaracao::PaginaMudou(int indice)
{
    if (indice < 0)
        return;
    FAnterior = FAtual;
    FAtual = static_cast<TPaginaDeclaracao>(indice);
    if (FAberto && FOnChange)
        FOnChange();
}
