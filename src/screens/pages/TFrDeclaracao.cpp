#include "screens/pages/TFrDeclaracao.h"

#include <QApplication>
#include <QFont>
#include <QFrame>
#include <QScopedValueRollback>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "shell/common/ContextoAjuda.h"
#include "shell/common/ExcecaoAplicacao.h"
#include "screens/pages/TFrBeneficiarios.h"
#include "screens/pages/TFrComprovante.h"
#include "screens/pages/TFrInformacoesPruv.h"
#include "screens/pages/TFrResumo.h"
#include "screens/grids/TPruvCustomGrid.h"
#include "screens/edits/TPruvEdit.h"
#include "screens/edits/TPruvMemo.h"
#include "screens/fields/TSaidaDeCampo.h"
#include "shell/common/FonteFormulario.h"
#include "platform/widgets/controls/TPageControl.h"

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

}   // namespace

TFrDeclaracao::TFrDeclaracao(QWidget* pai)
    : QWidget(pai)
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

    PgDeclaracao = new TPageControl(Panel1);
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
    FrBeneficiariosPruv = new TFrBeneficiarios(&Pagina(TPaginaDeclaracao::Beneficiarios));
    FrBeneficiariosPruv->setObjectName(QStringLiteral("FrBeneficiariosPruv"));
    Pagina(TPaginaDeclaracao::Beneficiarios).layout()->addWidget(FrBeneficiariosPruv);
    FrBeneficiariosAnexo = new TFrBeneficiarios(&Pagina(TPaginaDeclaracao::Fundos));
    FrBeneficiariosAnexo->setObjectName(QStringLiteral("FrBeneficiariosAnexo"));
    Pagina(TPaginaDeclaracao::Fundos).layout()->addWidget(FrBeneficiariosAnexo);

    auto* espaco = new QFrame(&Pagina(TPaginaDeclaracao::Resumo));
    espaco->setObjectName(QStringLiteral("PnEspaco"));
    espaco->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    espaco->setFixedHeight(6);
    PnEspaco = espaco;
    auto* layoutResumo = static_cast<QVBoxLayout*>(Pagina(TPaginaDeclaracao::Resumo).layout());
    layoutResumo->addWidget(PnEspaco);
    FrResumo = new TFrResumo(&Pagina(TPaginaDeclaracao::Resumo));
    FrResumo->setObjectName(QStringLiteral("FrResumo"));
    layoutResumo->addWidget(FrResumo, 1);

    FrComprovante = new TFrComprovante(&Pagina(TPaginaDeclaracao::Comprovante));
    FrComprovante->setObjectName(QStringLiteral("FrComprovante"));
    FrComprovante->setFont(QFont(QStringLiteral("Arial"), FrComprovante->font().pointSize()));
    Pagina(TPaginaDeclaracao::Comprovante).layout()->addWidget(FrComprovante);

    // The optional pages stay closed (tab hidden, sheet disabled) until shown.
    for (TPaginaDeclaracao opcional : {TPaginaDeclaracao::Fundos, TPaginaDeclaracao::Comprovante}) {
        PgDeclaracao->setTabEnabled(Indice(opcional), false);
        PgDeclaracao->setTabVisible(Indice(opcional), false);
    }
    connect(PgDeclaracao, &QTabWidget::currentChanged, this, &TFrDeclaracao::PaginaMudou);
    PgDeclaracao->tabBar()->installEventFilter(this);
}

TFrDeclaracao::~TFrDeclaracao() = default;

void TFrDeclaracao::SetPruv(TPruv& Pruv)
{
    Declaracao = &Pruv;
    FrInformacoesPruv->SetPruv(Pruv);
    FrBeneficiariosPruv->SetPruv(Pruv);
    FrBeneficiariosAnexo->SetPruv(Pruv);
    FrResumo->SetPruv(Pruv);
    FrComprovante->SetPruv(Pruv);
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
    if (MostrandoComprovante() && !FrComprovante->Aberta())
        FrComprovante->Abre();
    FrBeneficiariosPruv->Abre(false, FPosicionaCampo);
    // The declarant page has shown the annex page (opening it) when the nature asks for it.
    if (MostrandoFundos() && !FrBeneficiariosAnexo->Aberta())
        FrBeneficiariosAnexo->Abre(true, FPosicionaCampo);
    FrResumo->Abre();
}

bool TFrDeclaracao::PodeSair()
{
    // A field's message is waiting or showing, or this check shows one: its dialog took the
    // activation away, and the user stays without being told twice. A warning alone is shown
    // and lets the user go on.
    if (FVerificando || !TSaidaDeCampo::MostraAvisosPendentes())
        return false;
    const QScopedValueRollback verificando(FVerificando, true);
    QWidget* ativo = ControleAtivo();
    if (auto* edit = qobject_cast<TPruvEdit*>(ativo); edit && !edit->Valida())
        return false;
    if (TPruvCustomGrid* grade = GradeDoControle(ativo); grade && !grade->Valida())
        return false;
    if (auto* memo = qobject_cast<TPruvMemo*>(ativo); memo && !memo->Valida())
        return false;
    return FrInformacoesPruv->Valida() && FrBeneficiariosPruv->Valida()
        && (!MostrandoFundos() || FrBeneficiariosAnexo->Valida())
        && (!MostrandoComprovante() || FrComprovante->Valida());
}

void TFrDeclaracao::Fecha()
{
    // Closed first: the pages shown back to the first one are not entered nor left again, and
    // no field of them takes the focus while their values go away.
    FAberto = false;
    if (QWidget* foco = ControleAtivo(); foco && isAncestorOf(foco))
        foco->clearFocus();
    FrInformacoesPruv->Fecha();
    FrBeneficiariosPruv->Fecha();
    FrResumo->Fecha();
    MostraFundos(false);
    MostraComprovante(false);
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
    if (MostraPagina(TPaginaDeclaracao::Fundos, Mostra)) {
        if (Mostra && FAberto)
            FrBeneficiariosAnexo->Abre(true, FPosicionaCampo);
        else if (!Mostra)
            FrBeneficiariosAnexo->Fecha();
    }
    PnEspaco->setVisible(Mostra);
    FrResumo->SetMostraAnexos(Mostra);
}

void TFrDeclaracao::MostraComprovante(bool Mostra)
{
    if (MostraPagina(TPaginaDeclaracao::Comprovante, Mostra)) {
        if (Mostra && FAberto)
            FrComprovante->Abre();
        else if (!Mostra)
            FrComprovante->Fecha();
    }
}

// An optional page is shown while its tab is enabled.
bool TFrDeclaracao::MostrandoFundos() const
{
    return PgDeclaracao->isTabEnabled(Indice(TPaginaDeclaracao::Fundos));
}

bool TFrDeclaracao::MostrandoComprovante() const
{
    return PgDeclaracao->isTabEnabled(Indice(TPaginaDeclaracao::Comprovante));
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

void TFrDeclaracao::SetSincronizarComprovante(bool Sincronizar)
{
    FSincronizarComprovante = Sincronizar;
    FrBeneficiariosPruv->SetSincronizarComprovante(Sincronizar);
    FrBeneficiariosAnexo->SetSincronizarComprovante(Sincronizar);
}

bool TFrDeclaracao::LocalizaBeneficiario(TPaginaDeclaracao pagina, const QString& Item)
{
    if (pagina == TPaginaDeclaracao::Beneficiarios)
        return FrBeneficiariosPruv->LocalizaBeneficiario(Item);
    if (pagina == TPaginaDeclaracao::Fundos)
        return FrBeneficiariosAnexo->LocalizaBeneficiario(Item);
    if (pagina == TPaginaDeclaracao::Comprovante)
        FrComprovante->LocalizaBeneficiario(Item);
    return true;
}

bool TFrDeclaracao::LocalizaFundo(const QString& Anexo)
{
    return FrBeneficiariosAnexo->LocalizaFundo(Anexo);
}

void TFrDeclaracao::CarregaComprovante()
{
    FrComprovante->CarregaComprovante();
}

bool TFrDeclaracao::ValidaComprovante()
{
    return !FrComprovante->Aberta() || FrComprovante->Valida();
}

void TFrDeclaracao::AtualizaResumo()
{
    FrResumo->Entra();
}

bool TFrDeclaracao::SaiPagina(TPaginaDeclaracao pagina)
{
    // A field's message waits or shows: the user stays without being told twice. A warning
    // alone is shown, and the page is left after its OK.
    if (!TSaidaDeCampo::MostraAvisosPendentes())
        return false;
    switch (pagina) {
    case TPaginaDeclaracao::Beneficiarios:
        return FrBeneficiariosPruv->Sai();
    case TPaginaDeclaracao::Fundos:
        return !FrBeneficiariosAnexo->Aberta() || FrBeneficiariosAnexo->Sai();
    case TPaginaDeclaracao::Comprovante:
        return ValidaComprovante();
    default:
        return true;
    }
}

void TFrDeclaracao::EntraPagina(TPaginaDeclaracao pagina)
{
    if (pagina == TPaginaDeclaracao::Beneficiarios)
        FrBeneficiariosPruv->Entra();
    else if (pagina == TPaginaDeclaracao::Fundos && FrBeneficiariosAnexo->Aberta())
        FrBeneficiariosAnexo->Entra();
    else if (pagina == TPaginaDeclaracao::Comprovante && FrComprovante->Aberta())
        FrComprovante->Entra();
}

bool TFrDeclaracao::eventFilter(QObject* Objeto, QEvent* Evento)
{
    // The letter of the page shown (Alt+U on the fund page) enters it again, as from another
    // page: the caret goes to its first field. The tab bar alone would leave it where it was.
    if (Objeto == PgDeclaracao->tabBar() && Evento->type() == QEvent::Shortcut) {
        const int mudancas = FMudancas;
        const bool tratado = Objeto->event(Evento);
        if (tratado && mudancas == FMudancas && FAberto && FOnChange)
            ExcecaoAplicacao::Protege([this] { FOnChange(); });
        return tratado;
    }
    return QWidget::eventFilter(Objeto, Evento);
}

void TFrDeclaracao::PaginaMudou(int indice)
{
    ++FMudancas;
    if (indice < 0 || FVoltando)
        return;
    const auto nova = static_cast<TPaginaDeclaracao>(indice);
    // The tab bar cannot refuse a change: a page that keeps the user brings its tab back.
    if (FAberto && nova != FAtual && !FVerificando && !SaiPagina(FAtual)) {
        const QScopedValueRollback voltando(FVoltando, true);
        PgDeclaracao->setCurrentIndex(Indice(FAtual));
        return;
    }
    FAnterior = FAtual;
    FAtual = nova;
    if (FAberto)
        EntraPagina(nova);
    if (FAberto && FOnChange)
        FOnChange();
}
