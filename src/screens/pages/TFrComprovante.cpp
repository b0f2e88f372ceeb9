#include "screens/pages/TFrComprovante.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QShortcutEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "model/declaration/TPruv.h"
#include "shell/common/ContextoAjuda.h"
#include "shell/common/FocaPrimeiro.h"
#include "model/people/TBeneficiarioPruv.h"
#include "model/people/TColecaoBeneficiario.h"
#include "model/people/TNi.h"
#include "model/statements/TColecaoComprovante.h"
#include "model/statements/TComprovantePF.h"
#include "model/statements/TComprovantePJ.h"
#include "model/values/TErro.h"
#include "screens/pages/BotoesPagina.h"
#include "screens/pages/DescartaDigitacao.h"
#include "screens/edits/TPruvEdit.h"
#include "screens/grids/TPruvGridComprPJ.h"
#include "screens/grids/TPruvGridRendParcial.h"
#include "screens/edits/TPruvMemo.h"
#include "screens/fields/TSaidaDeCampo.h"
#include "shell/common/ExcecaoAplicacao.h"
#include "platform/widgets/controls/TPageControl.h"

namespace {

constexpr int AjudaPagina = 50300;
constexpr int AjudaDeducoes = 30000;

QWidget* Ficha(QTabWidget* fichas, const char* nome, const char* legenda, int ajuda)
{
    auto* ficha = new QWidget(fichas);
    ficha->setObjectName(QLatin1String(nome));
    DefineHelpContext(*ficha, ajuda);
    fichas->addTab(ficha, QString::fromUtf8(legenda));
    return ficha;
}

QLabel* Rotulo(QWidget* pai, const char* texto, int x, int y)
{
    auto* rotulo = new QLabel(QString::fromUtf8(texto), pai);
    rotulo->move(x, y);
    rotulo->adjustSize();
    return rotulo;
}

// A money line of a box: its caption on the left, the amount on the right.
TPruvEdit* Linha(QWidget* ficha, const char* nome, const char* rotulo, int y, bool somenteLeitura = false)
{
    Rotulo(ficha, rotulo, 8, y + 3);
    auto* edit = new TPruvEdit(ficha);
    edit->setObjectName(QLatin1String(nome));
    edit->SetTipoDeDado(TTipoDeDado::Numerico);
    edit->SetAlignment(Qt::AlignRight);
    edit->SetReadOnly(somenteLeitura);
    edit->setText(QStringLiteral("0,00"));
    edit->setGeometry(480, y, 120, 21);
    return edit;
}

TPruvMemo* Memo(QWidget* pai, const char* nome, const QRect& r)
{
    auto* memo = new TPruvMemo(pai);
    memo->setObjectName(QLatin1String(nome));
    memo->setGeometry(r);
    return memo;
}

}   // namespace

TFrComprovante::TFrComprovante(QWidget* pai)
    : QWidget(pai)
{
    CriaComponentes();
}

TFrComprovante::~TFrComprovante()
{
    Fecha();
}

void TFrComprovante::CriaComponentes()
{
    setMinimumSize(628, 340);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* aviso = new QLabel(
        QStringLiteral(
            "As informações desta ficha  somente serão utilizadas para emissão dos comprovantes de rendimentos"),
        this);
    aviso->setObjectName(QStringLiteral("LbAviso"));
    aviso->setAlignment(Qt::AlignCenter);
    layout->addWidget(aviso);

    auto* Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedHeight(44);
    layout->addWidget(Panel2);
    LbNi = Rotulo(Panel2, "CPF", 4, 1);
    LbNome = Rotulo(Panel2, "Nome", 132, 1);
    edtNiBenef = new TPruvEdit(Panel2);
    edtNiBenef->setObjectName(QStringLiteral("edtNiBenef"));
    edtNiBenef->SetTipoDeDado(TTipoDeDado::ApenasNumeros);
    edtNiBenef->SetReadOnly(true);
    edtNiBenef->setGeometry(4, 16, 124, 21);
    edtNomeBenef = new TPruvEdit(Panel2);
    edtNomeBenef->setObjectName(QStringLiteral("edtNomeBenef"));
    edtNomeBenef->SetReadOnly(true);
    edtNomeBenef->setGeometry(132, 16, 330, 21);
    BbFirst = BotaoDePagina(Panel2, "BbFirst", TFiguraBotao::Primeiro, "Primeiro registro");
    BbPrior = BotaoDePagina(Panel2, "BbPrior", TFiguraBotao::Anterior, "Registro anterior");
    BbNext = BotaoDePagina(Panel2, "BbNext", TFiguraBotao::Proximo, "Próximo registro");
    BbLast = BotaoDePagina(Panel2, "BbLast", TFiguraBotao::Ultimo, "Último registro");
    BbCancel = BotaoDePagina(Panel2, "BbCancel", TFiguraBotao::Desfaz, "Desfaz preenchimento");
    for (QToolButton* botao : {BbFirst, BbPrior, BbNext, BbLast, BbCancel})
        botao->setEnabled(false);
    QHBoxLayout* barra = BarraDePagina(Panel2, QRect(470, 14, 150, 26),
                                       {{BbFirst, [this] { BbFirstClick(); }},
                                        {BbPrior, [this] { BbPriorClick(); }},
                                        {BbNext, [this] { BbNextClick(); }},
                                        {BbLast, [this] { BbLastClick(); }},
                                        {BbCancel, [this] { BbCancelClick(); }}},
                                       [this] { return Aberta(); });
    barra->insertSpacing(4, 6);

    // The page's own context, for its controls above the tabs; the tab control's follows its tab.
    DefineHelpContext(*this, AjudaPagina);
    PageControl1 = new TPageControl(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setMinimumWidth(625);
    DefineHelpContext(*PageControl1, AjudaPagina);
    layout->addWidget(PageControl1, 1);

    RendTributaveis = Ficha(PageControl1, "RendTributaveis", "Rendimentos &Tributáveis", 14000);
    edtTotRend = Linha(RendTributaveis, "edtTotRend", "01. Total dos rendimentos (inclusive férias)", 10, true);
    edtPrevOficial = Linha(RendTributaveis, "edtPrevOficial", "02. Contribuição Previdenciária Oficial", 40);
    edtPrevPrivada = Linha(RendTributaveis, "edtPrevPrivada", "03. Contribuição à Previdência Privada e ao FAPI", 70);
    edtPensaoAlim = Linha(RendTributaveis, "edtPensaoAlim",
                          "04. Pensão Alimentícia (informar o beneficiário em Inf. Complementares)", 100);
    edtImpostoRetido = Linha(RendTributaveis, "edtImpostoRetido", "05. Imposto de Renda Retido", 130, true);
    for (TPruvEdit* e : {edtPrevOficial, edtPrevPrivada, edtPensaoAlim})
        e->AposModificar = [this](TPruvCustomEdit*) { DeducoesAlteradas = true; };

    RendIsentos = Ficha(PageControl1, "RendIsentos", "Rendimentos I&sentos", 14010);
    edt65anos = Linha(RendIsentos, "edt65anos",
                      "01. Parcela isenta de aposentadoria, reserva, reforma e pensão (65 anos ou mais)", 10);
    edtDiarias = Linha(RendIsentos, "edtDiarias", "02. Diárias e ajuda de custo", 38);
    edtPensao = Linha(RendIsentos, "edtPensao",
                      "03. Pensão, aposentadoria ou reforma por moléstia grave ou acidente em serviço", 66);
    edtLucro = Linha(RendIsentos, "edtLucro",
                     "04. Lucro e dividendo a partir de 1996 pago por PJ (lucro real, presumido e arbitrado)", 94);
    edtMicroempresa = Linha(RendIsentos, "edtMicroempresa",
                            "05. Valores pagos ao titular ou sócio de microempresa ou empresa de pequeno porte", 122);
    edtPDV = Linha(RendIsentos, "edtPDV", "06. Indenizações por rescisão, inclusive PDV, e por acidente de trabalho",
                   150);
    edtIsentoOutros = Linha(RendIsentos, "edtIsentoOutros", "07. Outros (especif.)", 178);
    edtIsentoTextoOutros = new TPruvEdit(RendIsentos);
    edtIsentoTextoOutros->setObjectName(QStringLiteral("edtIsentoTextoOutros"));
    edtIsentoTextoOutros->SetMaxLength(60);
    edtIsentoTextoOutros->setGeometry(140, 178, 330, 21);

    TribExclusiva = Ficha(PageControl1, "TribExclusiva", "Tributação &Exclusiva", 14020);
    edtDecimoTerceiro = Linha(TribExclusiva, "edtDecimoTerceiro", "01. Décimo Terceiro Salário", 10, true);
    edtExclusivaOutros = Linha(TribExclusiva, "edtExclusivaOutros", "02. Outros", 38, true);
    LbParciais = Rotulo(TribExclusiva, "Informe a parcela compensável referente aos códigos abaixo:", 8, 70);
    grdRendimentosParciais = new TPruvGridRendParcial(TribExclusiva);
    grdRendimentosParciais->setObjectName(QStringLiteral("grdRendimentosParciais"));
    grdRendimentosParciais->setGeometry(8, 88, 606, 150);
    DefineHelpContext(*grdRendimentosParciais, 14003);
    int coluna = 0;
    for (int largura : {50, 138, 137, 137, 137})
        if (coluna < grdRendimentosParciais->ColCount())
            grdRendimentosParciais->SetColWidths(coluna++, largura);
    grdRendimentosParciais->SetDefaultRowHeight(19);

    InformacoesPF = Ficha(PageControl1, "InformacoesPF", "Inf&ormações", 14030);
    Rotulo(InformacoesPF, "Informações Complementares:", 8, 6);
    EdtInfComplPF = Memo(InformacoesPF, "EdtInfComplPF", QRect(8, 22, 600, 140));
    Rotulo(InformacoesPF, "Natureza dos Rendimentos:", 8, 170);
    edtNatureza = new TPruvEdit(InformacoesPF);
    edtNatureza->setObjectName(QStringLiteral("edtNatureza"));
    edtNatureza->SetMaxLength(100);
    edtNatureza->setGeometry(8, 186, 600, 21);

    NaturezaPJ = Ficha(PageControl1, "NaturezaPJ", "&Natureza do Rendimento", 14002);
    grdNatRendPJ = new TPruvGridComprPJ(NaturezaPJ);
    grdNatRendPJ->setObjectName(QStringLiteral("grdNatRendPJ"));
    grdNatRendPJ->setGeometry(4, 4, 612, 230);
    // The grid grows with the window, its nature column taking the width: in a wide window every
    // column shows.
    auto* naturezaPJ = new QVBoxLayout(NaturezaPJ);
    naturezaPJ->setContentsMargins(4, 4, 4, 4);
    naturezaPJ->addWidget(grdNatRendPJ);
    coluna = 0;
    for (int largura : {50, 50, 390, 100, 100})
        if (coluna < grdNatRendPJ->ColCount())
            grdNatRendPJ->SetColWidths(coluna++, largura);
    grdNatRendPJ->SetDefaultRowHeight(20);

    InfComplementares = Ficha(PageControl1, "InfComplementares", "Infor&mações Complementares", 14033);
    edtInfComplPJ = Memo(InfComplementares, "edtInfComplPJ", QRect(8, 8, 600, 170));
    lblObsIN4 = new QLabel(QStringLiteral("Obs: Informações complementares referentes aos códigos constantes na Lei Nº "
                                          "9.430/96, Art. 64 devem ser informadas na ficha respectiva."),
                           InfComplementares);
    lblObsIN4->setObjectName(QStringLiteral("lblObsIN4"));
    lblObsIN4->setWordWrap(true);
    lblObsIN4->setGeometry(8, 184, 600, 34);

    InfComplementaresIN4 = Ficha(PageControl1, "InfComplementaresIN4", "&Lei Nº 9.430/96, Art. 64", 14036);
    Rotulo(InfComplementaresIN4,
           "Informações Complementares referentes aos códigos constantes na Lei Nº 9.430/1996, Art. 64.", 8, 6);
    edtInfComplIN4 = Memo(InfComplementaresIN4, "edtInfComplIN4", QRect(8, 22, 600, 170));

    ComprovanteVazio = Ficha(PageControl1, "ComprovanteVazio", "Comprovante Vazio", 14048);
    lblCompVazio1 = Rotulo(ComprovanteVazio, "Não há rendimentos para emissão do comprovante", 40, 40);
    lblCompVazio1->setObjectName(QStringLiteral("lblCompVazio1"));
    lblCompVazio2 = Rotulo(ComprovanteVazio, "ou somente existem rendimentos financeiros.", 40, 58);
    lblCompVazio2->setObjectName(QStringLiteral("lblCompVazio2"));
    lblCompVazio3 = Rotulo(ComprovanteVazio, "Este beneficiário pertence a um Fundo ou Clube de Investimento", 40, 40);
    lblCompVazio3->setObjectName(QStringLiteral("lblCompVazio3"));
    lblCompVazio4 = Rotulo(ComprovanteVazio, "que está indisponível em virtude da natureza do declarante.", 40, 58);
    lblCompVazio4->setObjectName(QStringLiteral("lblCompVazio4"));
    lblCompVazio3->hide();
    lblCompVazio4->hide();
    Rotulo(ComprovanteVazio, "Este programa não emite comprovante de rendimentos financeiros.", 40, 90);

    edtPensaoAlim->OnPressEnter = [this](TPruvCustomEdit*) {
        if (!PageControl1->isTabEnabled(PageControl1->indexOf(RendIsentos)) || !ConfereDeducoes())
            return;
        PageControl1->setCurrentWidget(RendIsentos);
        FocaPrimeiro(edt65anos, nullptr, nullptr, nullptr);
    };
    edtIsentoOutros->OnPressEnter = [this](TPruvCustomEdit*) {
        if (grdRendimentosParciais->RowCount() > 1
            && PageControl1->isTabEnabled(PageControl1->indexOf(TribExclusiva))) {
            PageControl1->setCurrentWidget(TribExclusiva);
            FocaPrimeiro(grdRendimentosParciais, nullptr, nullptr, nullptr);
        } else if (PageControl1->isTabEnabled(PageControl1->indexOf(InformacoesPF))) {
            PageControl1->setCurrentWidget(InformacoesPF);
            FocaPrimeiro(edtNatureza, nullptr, nullptr, nullptr);
        }
    };

    // The tab bar cannot refuse a change: the clicks and keys that ask for one are checked here.
    PageControl1->tabBar()->installEventFilter(this);
    PageControl1->installEventFilter(this);
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int Indice) {
        FichaMudou(Indice);
        // A tab the user chose (its click, its letter) takes the typing: the focus may be outside
        // it, on the beneficiary's read-only number, where what is typed would be lost.
        if (!FFichaLiberada)
            FocaFicha(PageControl1->currentWidget());
    });
    for (int i = 0; i < PageControl1->count(); ++i) {
        PageControl1->setTabVisible(i, false);
        PageControl1->setTabEnabled(i, false);
    }
}

// ---- opening and binding ----

void TFrComprovante::Abre()
{
    Fecha();
    if (!FPruv)
        return;
    FBeneficiario = std::make_unique<TBeneficiarioPruv>(FPruv);
    FBeneficiario->SetErros(FPruv->Erros());
    TColecaoBeneficiario& beneficiarios = FPruv->GetColecaoBeneficiario();
    beneficiarios.AplicaFiltro();
    beneficiarios.PrimeiroRegistro(*FBeneficiario);
    edtNiBenef->SetDado(FBeneficiario.get());
    edtNomeBenef->SetDado(&FBeneficiario->Nome());
    AtualizaBotoes();
}

void TFrComprovante::Fecha()
{
    grdRendimentosParciais->SetComprovante(nullptr);
    grdNatRendPJ->SetComprovante(nullptr);
    for (TPruvEdit* e : findChildren<TPruvEdit*>())
        e->SetDado(nullptr);
    for (TPruvMemo* m : findChildren<TPruvMemo*>())
        m->SetDado(nullptr);
    FAtual = nullptr;
    FPF.reset();
    FPJ.reset();
    FBeneficiario.reset();
}

void TFrComprovante::Vincula()
{
    TComprovantePF* pf = FAtual == FPF.get() ? FPF.get() : nullptr;
    const auto liga = [](TPruvEdit* e, TDadoBasico* d) { e->SetDado(d); };
    liga(edtTotRend, pf ? &pf->GetQuadro3().GetLinha1() : nullptr);
    liga(edtPrevOficial, pf ? &pf->GetQuadro3().GetLinha2() : nullptr);
    liga(edtPrevPrivada, pf ? &pf->GetQuadro3().GetLinha3() : nullptr);
    liga(edtPensaoAlim, pf ? &pf->GetQuadro3().GetLinha4() : nullptr);
    liga(edtImpostoRetido, pf ? &pf->GetQuadro3().GetTotal() : nullptr);
    liga(edt65anos, pf ? &pf->GetQuadro4().GetLinha1() : nullptr);
    liga(edtDiarias, pf ? &pf->GetQuadro4().GetLinha2() : nullptr);
    liga(edtPensao, pf ? &pf->GetQuadro4().GetLinha3() : nullptr);
    liga(edtLucro, pf ? &pf->GetQuadro4().GetLinha4() : nullptr);
    liga(edtMicroempresa, pf ? &pf->GetQuadro4().GetLinha5() : nullptr);
    liga(edtPDV, pf ? &pf->GetQuadro4().GetLinha7() : nullptr);
    liga(edtIsentoOutros, pf ? &pf->GetQuadro4().GetLinha8() : nullptr);
    liga(edtIsentoTextoOutros, pf ? &pf->GetQuadro4().GetDescricaoLinha8() : nullptr);
    liga(edtDecimoTerceiro, pf ? &pf->GetQuadro5().GetLinha1() : nullptr);
    liga(edtExclusivaOutros, pf ? &pf->GetQuadro5().GetLinha2() : nullptr);
    liga(edtNatureza, pf ? &pf->GetNatureza() : nullptr);
    EdtInfComplPF->SetDado(pf ? &pf->GetInformacoesComplementares() : nullptr);
    TComprovantePJ* pj = FAtual == FPJ.get() ? FPJ.get() : nullptr;
    edtInfComplPJ->SetDado(pj ? &pj->GetInformacoesComplementares() : nullptr);
    edtInfComplIN4->SetDado(pj ? &pj->GetInformacoesComplementaresIN4() : nullptr);
}

void TFrComprovante::CarregaComprovante()
{
    if (!FBeneficiario)
        return;
    // The one point where the statement the grids show changes: read again, it takes nothing of
    // a cell left open (the roads that keep what was typed wrote it back and stored it first).
    grdNatRendPJ->LargaItem(false);
    grdRendimentosParciais->LargaItem(false);
    FAtual = nullptr;
    if (!FBeneficiario->GetNi().isEmpty()) {
        if (FBeneficiario->TipoAtual() == TNiContribuinte::Cnpj) {
            if (!FPJ) {
                FPJ = std::make_unique<TComprovantePJ>(*FBeneficiario);
                grdNatRendPJ->SetComprovante(FPJ.get());
            }
            FAtual = FPJ.get();
        } else {
            if (!FPF) {
                FPF = std::make_unique<TComprovantePF>(*FBeneficiario);
                grdRendimentosParciais->SetComprovante(FPF.get());
            }
            FAtual = FPF.get();
        }
        FAtual->Limpa();
        FPruv->GetColecaoComprovante().Carrega(*FAtual);
        FAtual->SetAlterado(false);
    }
    Vincula();
    Redesenha();
    Verificado = false;
    DeducoesAlteradas = false;
}

void TFrComprovante::Redesenha()
{
    const bool pj = FAtual && FAtual == FPJ.get();
    const bool in4 = pj && FPJ->PossuiLinhasIN4();
    const bool outros = pj && FPJ->PossuiLinhasOutros();
    const bool pf = FAtual && FAtual == FPF.get() && FPF->PossuiRendimentos();
    if (pj)
        grdNatRendPJ->Atualiza();
    if (FAtual == FPF.get() && FPF) {
        grdRendimentosParciais->Atualiza();
        LbParciais->setVisible(FPF->QuantidadeRendimentosParciais() > 0);
        grdRendimentosParciais->setVisible(FPF->QuantidadeRendimentosParciais() > 0);
    }
    const bool cnpj = FBeneficiario && FBeneficiario->TipoAtual() == TNiContribuinte::Cnpj;
    LbNi->setText(cnpj ? QStringLiteral("CNPJ") : QStringLiteral("CPF"));
    LbNome->setText(cnpj ? QStringLiteral("Nome Empresarial") : QStringLiteral("Nome"));
    LbNi->adjustSize();
    LbNome->adjustSize();

    FFichaLiberada = true;
    const auto mostra = [this](QWidget* ficha, bool visivel) {
        const int i = PageControl1->indexOf(ficha);
        PageControl1->setTabEnabled(i, visivel);
        PageControl1->setTabVisible(i, visivel);
    };
    const bool vazio = !in4 && !outros && !pf;
    mostra(ComprovanteVazio, vazio);
    for (QWidget* ficha : {RendTributaveis, InformacoesPF, TribExclusiva, RendIsentos})
        mostra(ficha, pf);
    mostra(NaturezaPJ, in4 || outros);
    mostra(InfComplementares, outros);
    mostra(InfComplementaresIN4, in4);
    lblObsIN4->setVisible(in4);
    if (vazio) {
        PageControl1->setCurrentWidget(ComprovanteVazio);
        const bool deFundo = FAtual && !FAtual->PossuiItemDeclaracao()
            && FPruv->GetNatureza().GetCodigo() != TPruv::CodigoAdministradora;
        lblCompVazio1->setVisible(!deFundo);
        lblCompVazio2->setVisible(!deFundo);
        lblCompVazio3->setVisible(deFundo);
        lblCompVazio4->setVisible(deFundo);
    } else if (pf) {
        PageControl1->setCurrentWidget(RendTributaveis);
    } else {
        PageControl1->setCurrentWidget(NaturezaPJ);
    }
    FFichaLiberada = false;
    FichaMudou(PageControl1->currentIndex());
    AtualizaBotoes();
}

void TFrComprovante::AtualizaBotoes()
{
    const bool temColecao = FBeneficiario && FPruv;
    for (QToolButton* b : {BbFirst, BbPrior, BbNext, BbLast, BbCancel})
        b->setEnabled(temColecao);
    if (!temColecao)
        return;
    TColecaoBeneficiario& beneficiarios = FPruv->GetColecaoBeneficiario();
    if (beneficiarios.NoPrimeiro()) {
        BbFirst->setEnabled(false);
        BbPrior->setEnabled(false);
    }
    if (beneficiarios.NoUltimo()) {
        BbLast->setEnabled(false);
        BbNext->setEnabled(false);
    }
}

void TFrComprovante::FichaMudou(int Indice)
{
    if (QWidget* ficha = PageControl1->widget(Indice))
        DefineHelpContext(*PageControl1, ObtemHelpContext(ficha));
}

// ---- the deductions check and storing ----

bool TFrComprovante::ConfereDeducoes()
{
    // The window's own focus: it may not be the active window (a dialog just closed).
    QWidget* foco = window()->focusWidget();
    if (auto* edit = qobject_cast<TPruvEdit*>(foco); edit && isAncestorOf(edit) && !edit->Valida())
        return false;
    if (auto* memo = qobject_cast<TPruvMemo*>(foco); memo && isAncestorOf(memo) && !memo->Valida())
        return false;
    if (!EscreveCelula())
        return false;
    if (!FPF || FAtual != FPF.get() || PageControl1->currentWidget() != RendTributaveis)
        return true;
    if (Verificado && !DeducoesAlteradas)
        return true;
    // The question's own window takes the activation, and the main window's check runs again
    // underneath: the question being asked decides, no second one is shown.
    if (FConferindo)
        return true;
    const std::uint8_t codigo = FPF->VerificaDeducoes();
    // An answer OK holds for these deductions of this beneficiary until one of them changes,
    // also when the page is left and entered again.
    const QString situacao = QString::number(codigo) + QLatin1Char('|') + SituacaoDeducoes();
    if (codigo != 0 && situacao != FDeducoesAceitas) {
        const TipoDialogo tipo = codigo == CodigoMensagem::DeducoesDiferentesNoComprovante ? TipoDialogo::Aviso
                                                                                           : TipoDialogo::Erro;
        FConferindo = true;
        const auto fim = qScopeGuard([this] { FConferindo = false; });
        if (TErro(codigo, QString(), tipo, Botao::Ok | Botao::Cancela | Botao::Ajuda, AjudaDeducoes).Exibe()
            != Resposta::Ok) {
            FocaPrimeiro(edtPrevOficial, nullptr, nullptr, nullptr);
            return false;
        }
        FDeducoesAceitas = situacao;
    }
    Verificado = true;
    DeducoesAlteradas = false;
    return true;
}

bool TFrComprovante::EscreveCelula()
{
    // A grid's focus is on its open editor: the cell typed belongs to this statement.
    QWidget* foco = window()->focusWidget();
    for (TPruvCustomGrid* grade : std::initializer_list<TPruvCustomGrid*>{grdNatRendPJ, grdRendimentosParciais})
        if ((grade->EditorMode() || (foco && grade->isAncestorOf(foco))) && !grade->Valida())
            return false;
    return true;
}

QString TFrComprovante::SituacaoDeducoes() const
{
    return QStringList{FBeneficiario ? FBeneficiario->GetNi() : QString(), edtPrevOficial->text(),
                       edtPrevPrivada->text(), edtPensaoAlim->text()}
        .join(QLatin1Char('|'));
}

bool TFrComprovante::Salva()
{
    if (!FAtual || !FAtual->GetAlterado())
        return true;
    try {
        FPruv->GetColecaoComprovante().Salva(*FAtual);
        FAtual->SetAlterado(false);
    } catch (const TErro& e) {
        e.Exibe();
        return false;
    }
    return true;
}

bool TFrComprovante::Valida()
{
    if (!FBeneficiario)
        return true;
    if (!ConfereDeducoes()) {
        FocaPrimeiro(edtPrevOficial, nullptr, nullptr, nullptr);
        return false;
    }
    return Salva();
}

// ---- navigation ----

void TFrComprovante::MovePrimeiro()
{
    FPruv->GetColecaoBeneficiario().PrimeiroRegistro(*FBeneficiario);
}
void TFrComprovante::MoveAnterior()
{
    FPruv->GetColecaoBeneficiario().AnteriorRegistro(*FBeneficiario);
}
void TFrComprovante::MoveProximo()
{
    FPruv->GetColecaoBeneficiario().ProximoRegistro(*FBeneficiario);
}
void TFrComprovante::MoveUltimo()
{
    FPruv->GetColecaoBeneficiario().UltimoRegistro(*FBeneficiario);
}

void TFrComprovante::Navega(void (TFrComprovante::*Move)())
{
    if (!FBeneficiario || !ConfereDeducoes() || !Salva())
        return;
    TColecaoBeneficiario& beneficiarios = FPruv->GetColecaoBeneficiario();
    beneficiarios.Localiza(*FBeneficiario);   // the beneficiaries page may have moved it
    (this->*Move)();
    CarregaComprovante();
}

void TFrComprovante::BbFirstClick()
{
    Navega(&TFrComprovante::MovePrimeiro);
}
void TFrComprovante::BbPriorClick()
{
    Navega(&TFrComprovante::MoveAnterior);
}
void TFrComprovante::BbNextClick()
{
    Navega(&TFrComprovante::MoveProximo);
}
void TFrComprovante::BbLastClick()
{
    Navega(&TFrComprovante::MoveUltimo);
}

void TFrComprovante::BbCancelClick()
{
    DescartaDigitacao({this});
    CarregaComprovante();
}

void TFrComprovante::LocalizaBeneficiario(const QString& Ni)
{
    if (!FBeneficiario)
        return;
    // A cell being typed belongs to the statement shown: written back and stored with it, as a
    // record button does, before another beneficiary is taken.
    const bool celulaAberta = grdNatRendPJ->EditorMode() || grdRendimentosParciais->EditorMode();
    if (celulaAberta && !(ConfereDeducoes() && Salva()))
        return;
    Verificado = true;
    DeducoesAlteradas = false;
    FBeneficiario->SetNiSemExcecao(Ni);
    FPruv->GetColecaoBeneficiario().Carrega(*FBeneficiario);
    AtualizaBotoes();
}

void TFrComprovante::Entra()
{
    if (!FBeneficiario)
        return;
    TColecaoBeneficiario& beneficiarios = FPruv->GetColecaoBeneficiario();
    beneficiarios.AplicaFiltro();
    if (FBeneficiario->GetNi().isEmpty() || !BbFirst->isEnabled() || !beneficiarios.Carrega(*FBeneficiario))
        beneficiarios.PrimeiroRegistro(*FBeneficiario);
    CarregaComprovante();
}

// ---- tab changes ----

bool TFrComprovante::PodeTrocarFicha(int Indice)
{
    if (FFichaLiberada || Indice == PageControl1->currentIndex() || Indice < 0)
        return true;
    bool pode = true;
    ExcecaoAplicacao::Protege([&] { pode = ConfereDeducoes(); });
    return pode;
}

bool TFrComprovante::eventFilter(QObject* objeto, QEvent* evento)
{
    QTabBar* barra = PageControl1->tabBar();
    int destino = -2;   // -2: no change asked
    if (objeto == barra && evento->type() == QEvent::MouseButtonPress) {
        destino = barra->tabAt(static_cast<QMouseEvent*>(evento)->position().toPoint());
    } else if ((objeto == barra || objeto == PageControl1) && evento->type() == QEvent::KeyPress) {
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        const bool ctrl = tecla->modifiers().testFlag(Qt::ControlModifier);
        const bool muda = (objeto == barra
                           && (tecla->key() == Qt::Key_Left || tecla->key() == Qt::Key_Right
                               || tecla->key() == Qt::Key_Home || tecla->key() == Qt::Key_End))
            || (ctrl
                && (tecla->key() == Qt::Key_Tab || tecla->key() == Qt::Key_Backtab || tecla->key() == Qt::Key_PageUp
                    || tecla->key() == Qt::Key_PageDown));
        if (muda)
            destino = -1;
    } else if (objeto == barra && evento->type() == QEvent::Shortcut) {
        // An Alt+letter of a tab, also of the tab shown: its first field takes the typing. The
        // letter of the tab shown leaves nothing, so nothing is checked.
        const QKeySequence letra = static_cast<QShortcutEvent*>(evento)->key();
        int ficha = PageControl1->count();   // not known: the check decides for any
        for (int i = 0; i < barra->count() && ficha == PageControl1->count(); ++i)
            if (barra->isTabVisible(i) && barra->isTabEnabled(i) && QKeySequence::mnemonic(barra->tabText(i)) == letra)
                ficha = i;
        if (!PodeTrocarFicha(ficha))
            return true;
        const bool tratado = objeto->event(evento);
        FocaFicha(PageControl1->currentWidget());
        return tratado;
    }
    if (destino == -2 || destino == PageControl1->currentIndex())
        return QWidget::eventFilter(objeto, evento);
    // -1: a change to a tab not known yet; the check decides for any.
    if (!PodeTrocarFicha(destino == -1 ? PageControl1->count() : destino))
        return true;
    return QWidget::eventFilter(objeto, evento);
}
