#include "screens/pages/TFrBeneficiarios.h"

#include <QApplication>
#include <QFrame>
#include <QScopedValueRollback>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "components/controls/lookup/TdvDBLookupCombo.h"
#include "components/controls/lookup/TdvPopupGrid.h"
#include "components/data/datasets/TdvTable.h"
#include "model/storage/OperacoesTabela.h"
#include "model/declaration/TAnexoFC.h"
#include "model/declaration/TColecaoAnexo.h"
#include "model/people/TColecaoBeneficiario.h"
#include "model/codes/TColecaoCodigoRetencao.h"
#include "model/items/TColecaoPruvItem.h"
#include "model/declaration/TDeclaranteAnexo.h"
#include "model/values/TErro.h"
#include "model/people/TNi.h"
#include "model/declaration/TPruv.h"
#include "model/items/TPruvItem.h"
#include "model/values/TratamentoTexto.h"
#include "model/items/RegrasDoItem.h"
#include "model/storage/ValoresArmazenados.h"
#include "shell/common/ContextoAjuda.h"
#include "shell/common/FocaPrimeiro.h"
#include "screens/pages/BotoesPagina.h"
#include "screens/pages/DescartaDigitacao.h"
#include "platform/db/datasets/TField.h"
#include "platform/widgets/controls/TPageControl.h"
#include "screens/edits/TPruvEdit.h"
#include "screens/grids/TPruvGridMeses.h"
#include "screens/fields/TSaidaDeCampo.h"
#include "shell/common/ExcecaoAplicacao.h"

namespace {

constexpr int AjudaChave = 12010;
constexpr int AjudaFundo = 50100;
constexpr int AjudaValores = 50600;
constexpr int AjudaFichas[] = {12060, 12070, 12080};

QLabel* Rotulo(QWidget* pai, const char* texto, int x, int y)
{
    auto* rotulo = new QLabel(QString::fromUtf8(texto), pai);
    rotulo->move(x, y);
    rotulo->adjustSize();
    return rotulo;
}

TPruvEdit* Edit(QWidget* pai, const char* nome, TTipoDeDado tipo, int tamanho, const QRect& r)
{
    auto* edit = new TPruvEdit(pai);
    edit->setObjectName(QLatin1String(nome));
    edit->SetTipoDeDado(tipo);
    edit->SetMaxLength(tamanho);
    edit->setGeometry(r);
    return edit;
}

// Only digits and the editing keys reach a code or number combo.
bool TeclaDeNumero(QChar tecla, bool copiaCola)
{
    constexpr char16_t CtrlC = 3, Backspace = 8, Tab = 9, AvancoLinha = 10, Enter = 13, CtrlV = 22;
    const char16_t c = tecla.unicode();
    return tecla.isDigit() || c == Backspace || c == Tab || c == AvancoLinha || c == Enter
        || (copiaCola && (c == CtrlC || c == CtrlV));
}

template <class Grade>
Grade* CriaGrade(QTabWidget* fichas, QWidget*& ficha, const char* nomeFicha, const char* legenda, const char* nome,
                 std::initializer_list<int> larguras, int ajuda)
{
    ficha = new QWidget(fichas);
    ficha->setObjectName(QLatin1String(nomeFicha));
    auto* layout = new QVBoxLayout(ficha);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* grade = new Grade(ficha);
    grade->setObjectName(QLatin1String(nome));
    grade->SetDefaultRowHeight(16);
    grade->SetEditLimit(14);
    grade->SetDecimoTerceiro(false);
    int coluna = 0;
    for (int largura : larguras)
        if (coluna < grade->ColCount())
            grade->SetColWidths(coluna++, largura);
    DefineHelpContext(*grade, ajuda);
    layout->addWidget(grade);
    fichas->addTab(ficha, QString::fromUtf8(legenda));
    return grade;
}

}   // namespace

TFrBeneficiarios::TFrBeneficiarios(QWidget* pai)
    : QWidget(pai)
{
    CriaComponentes();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget* antes, QWidget* agora) { ExcecaoAplicacao::Protege([&] { FocoMudou(antes, agora); }); });
}

TFrBeneficiarios::~TFrBeneficiarios()
{
    // The children leave the focus as QWidget's destructor deletes them, when this frame is no
    // longer one: the handler must not run then.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    FechaItens();
    FechaFundos();
}

void TFrBeneficiarios::CriaComponentes()
{
    resize(628, 354);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    CriaBarraFundo();
    layout->addWidget(PnIdentificacaoFundo);

    PnChavePruvItem = new QFrame(this);
    PnChavePruvItem->setObjectName(QStringLiteral("PnChavePruvItem"));
    static_cast<QFrame*>(PnChavePruvItem)->setFrameStyle(QFrame::Panel | QFrame::Raised);
    PnChavePruvItem->setFixedHeight(44);
    DefineHelpContext(*PnChavePruvItem, AjudaChave);
    layout->addWidget(PnChavePruvItem);
    Panel2 = new QWidget(PnChavePruvItem);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(2, 2, 440, 40);
    Panel3 = new QWidget(Panel2);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setGeometry(0, 0, 170, 40);
    auto* rotuloCodigo = Rotulo(Panel3, "Código", 4, 1);
    rotuloCodigo->setToolTip(QStringLiteral("Código de Retenção"));
    DblcCodRet = new TdvDBLookupCombo(Panel3);
    DblcCodRet->setObjectName(QStringLiteral("DblcCodRet"));
    DblcCodRet->setGeometry(4, 16, 56, 21);
    DblcCodRet->setToolTip(QStringLiteral("Código de Retenção.  Para descrição completa consulte a Ajuda"));
    DblcCodRet->SetMaxLength(4);
    DblcCodRet->DropDownCount = 12;
    DblcCodRet->SeqSearchOptions = ssoEnabled | ssoCaseSensitive;
    Rotulo(Panel3, "CPF/CNPJ", 64, 1);
    DeCpfCnpjBenef = Edit(Panel3, "DeCpfCnpjBenef", TTipoDeDado::ApenasNumeros, 14, QRect(64, 16, 104, 21));
    DeCpfCnpjBenef->SetAutoAvanco(true);
    DeCpfCnpjBenef->SetSelecionaRecusado(true);   // a wrong number is typed again whole
    Rotulo(Panel2, "Nome/Nome Empresarial", 172, 1);
    DeNomeBenef = Edit(Panel2, "DeNomeBenef", TTipoDeDado::AlfaNumerico, 60, QRect(172, 16, 266, 21));

    BbFirst = BotaoDePagina(PnChavePruvItem, "BbFirst", TFiguraBotao::Primeiro, "Primeiro beneficiário");
    BbPrior = BotaoDePagina(PnChavePruvItem, "BbPrior", TFiguraBotao::Anterior, "Beneficiário anterior");
    BbNext = BotaoDePagina(PnChavePruvItem, "BbNext", TFiguraBotao::Proximo, "Próximo beneficiário");
    BbLast = BotaoDePagina(PnChavePruvItem, "BbLast", TFiguraBotao::Ultimo, "Último beneficiário");
    BbAdd = BotaoDePagina(PnChavePruvItem, "BbAdd", TFiguraBotao::Inclui, "Inclui beneficiário");
    BbDelete = BotaoDePagina(PnChavePruvItem, "BbDelete", TFiguraBotao::Exclui, "Exclui o beneficiário", true);
    BbDesfazer = BotaoDePagina(PnChavePruvItem, "BbDesfazer", TFiguraBotao::Desfaz,
                               "Desfaz as últimas alterações do beneficiário", true);
    BarraDePagina(PnChavePruvItem, QRect(444, 12, 182, 26),
                  {{BbFirst, [this] { BbFirstClick(); }},
                   {BbPrior, [this] { BbPriorClick(); }},
                   {BbNext, [this] { BbNextClick(); }},
                   {BbLast, [this] { BbLastClick(); }},
                   {BbAdd, [this] { BbAddClick(); }},
                   {BbDelete, [this] { BbDeleteClick(); }},
                   {BbDesfazer, [this] { BbDesfazerClick(); }}},
                  [this] { return Aberta(); });

    PCPruvItem = new TPageControl(this);
    PCPruvItem->setObjectName(QStringLiteral("PCPruvItem"));
    DefineHelpContext(*PCPruvItem, AjudaChave);
    layout->addWidget(PCPruvItem, 1);
    DgrRendimentos = CriaGrade<TPruvGridRendimentos>(PCPruvItem, TSRendimentosTrib, "TSRendimentosTrib",
                                                     "Rendimentos &Tributáveis", "DgrRendimentos", {64, 183, 183, 183},
                                                     AjudaFichas[0]);
    DgcCompensacao = CriaGrade<TPruvGridCompensacao>(PCPruvItem, TSCompensacao, "TSCompensacao",
                                                     "Compensação de Imposto por Decisão &Judicial", "DgcCompensacao",
                                                     {64, 137, 137, 137, 137}, AjudaFichas[1]);
    DgsSubJudice = CriaGrade<TPruvGridSubJudice>(PCPruvItem, TSSubJudice, "TSSubJudice",
                                                 "Tributação com &Exigibilidade Suspensa", "DgsSubJudice",
                                                 {64, 137, 137, 137, 137}, AjudaFichas[2]);
    for (int i : {1, 2}) {
        PCPruvItem->setTabEnabled(i, false);
        PCPruvItem->setTabVisible(i, false);
    }
    PCPruvItem->tabBar()->installEventFilter(this);
    connect(PCPruvItem, &QTabWidget::currentChanged, this, [this](int indice) {
        if (indice >= 0 && indice < 3)
            DefineHelpContext(*PCPruvItem, AjudaFichas[indice]);
    });

    // The code table: the year's codes with their person/company flags as check boxes.
    TbCodRet = CriaTabela(TColecaoCodigoRetencao::NomeArquivo());
    TbCodRet->AddField(std::make_unique<TField>(ftBoolean, QStringLiteral("Pf"), 0, fkCalculated));
    TbCodRet->AddField(std::make_unique<TField>(ftBoolean, QStringLiteral("Pj"), 0, fkCalculated));
    TbCodRet->ControlType() = {QStringLiteral("Pf;CheckBox;True;False"), QStringLiteral("Pj;CheckBox;True;False")};
    TdvTable* codigos = TbCodRet.get();
    TbCodRet->OnCalcFields = [codigos](TDataSet*) {
        const QString tipo = codigos->FieldByName(QStringLiteral("PF_PJ_AMBOS"))->AsString();
        codigos->FieldByName(QStringLiteral("Pf"))
            ->SetAsBoolean(tipo == QLatin1String("F") || tipo == QLatin1String("A"));
        codigos->FieldByName(QStringLiteral("Pj"))
            ->SetAsBoolean(tipo == QLatin1String("J") || tipo == QLatin1String("A"));
    };
    DblcCodRet->SetLookupTable(TbCodRet.get());
    DblcCodRet->SetLookupField(QStringLiteral("COD_RETENCAO"));
    DblcCodRet->SetSelected({QStringLiteral("COD_RETENCAO\t2\tCód."), QStringLiteral("Pf\t1\tPF"),
                             QStringLiteral("Pj\t1\tPJ"), QStringLiteral("RESUMO\t87\tDescrição")});
    DblcCodRet->SetOptions(loColLines | loRowLines | loTitles);
    DblcCodRet->OnNotInList = [](TdvDBCustomLookupCombo*, TDataSet*, const QString&, bool& aceita) { aceita = true; };
    DblcCodRet->OnKeyPress = [](QChar& tecla) {
        if (!TeclaDeNumero(tecla, false))
            tecla = QChar();
    };
    DblcCodRet->OnKeyDown = [this](int& tecla, Qt::KeyboardModifiers) {
        if (tecla == Qt::Key_Escape && FItem) {
            DblcCodRet->SetText(FItem->GetCodigoRetencao().GetCodigo());
            tecla = 0;
        } else if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            tecla = 0;
            FocaPrimeiro(DeCpfCnpjBenef, nullptr, nullptr, nullptr);
        }
    };
    DblcCodRet->OnDropDown = [this](TdvDBCustomLookupCombo*) {
        const QString codigo = DblcCodRet->Text().trimmed();
        if (!codigo.isEmpty())
            TbCodRet->Locate(QStringLiteral("COD_RETENCAO"), {codigo}, 0);
    };
    DblcCodRet->OnCloseUp = [this](TdvDBCustomLookupCombo*, TDataSet*, TDataSet*, bool) {
        TSaidaDeCampo::SePaginaAberta(Aberta(), [this] {
            if (AtualizaCodigo() != 0)
                return;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    FocaPrimeiro(DeCpfCnpjBenef, nullptr, nullptr, nullptr);
                    DeCpfCnpjBenef->selectAll();
                },
                Qt::QueuedConnection);
        });
    };
    // Entering a field before the ones it depends on sends the user back to them.
    // Checked once the focus change is over, when the code left has been taken.
    DeCpfCnpjBenef->OnEnter = [this] {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (FItem && QApplication::focusWidget() == DeCpfCnpjBenef
                    && FItem->GetCodigoRetencao().GetCodigo().isEmpty() && !TSaidaDeCampo::MensagemPendente())
                    FocaPrimeiro(DblcCodRet, nullptr, nullptr, nullptr);
            },
            Qt::QueuedConnection);
    };
    DeNomeBenef->OnEnter = [this] {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!FItem || QApplication::focusWidget() != DeNomeBenef || TSaidaDeCampo::MensagemPendente())
                    return;
                if (FItem->GetCodigoRetencao().GetCodigo().isEmpty())
                    FocaPrimeiro(DblcCodRet, nullptr, nullptr, nullptr);
                else if (FItem->GetBeneficiario().GetNiFormatado().isEmpty())
                    FocaPrimeiro(DeCpfCnpjBenef, nullptr, nullptr, nullptr);
            },
            Qt::QueuedConnection);
    };
    // To the grid whose tab is shown: the others are hidden and take no focus.
    DeNomeBenef->OnPressEnter = [this](TPruvCustomEdit*) {
        FocaPrimeiro(DgrRendimentos, DgcCompensacao, DgsSubJudice, nullptr);
    };
    DgrRendimentos->OnPressEnter = [this](TPruvCustomGrid*) {
        ExcecaoAplicacao::Protege([this] {
            if (PCPruvItem->isTabVisible(1) || PCPruvItem->isTabVisible(2))
                return;
            if (!SalvaAntesDeSair())
                return;
            BbAddClick();
        });
    };
    setMinimumSize(628, 354);
}

bool TFrBeneficiarios::eventFilter(QObject* Objeto, QEvent* Evento)
{
    // A tab's letter (Alt+T, Alt+J, Alt+E) shows the tab, then its grid takes the digits typed
    // next: the tab bar alone would keep the focus where it was.
    if (Objeto == PCPruvItem->tabBar() && Evento->type() == QEvent::Shortcut) {
        const bool tratado = Objeto->event(Evento);
        ExcecaoAplicacao::Protege([this] { FocaGradeMostrada(); });
        return tratado;
    }
    return QWidget::eventFilter(Objeto, Evento);
}

void TFrBeneficiarios::FocaGradeMostrada()
{
    auto* grade = PCPruvItem->currentWidget() ? PCPruvItem->currentWidget()->findChild<TPruvCustomGrid*>() : nullptr;
    if (!grade || !grade->isVisible())
        return;
    grade->setFocus(Qt::ShortcutFocusReason);
    if (QApplication::focusWidget() != grade)
        return;   // a field left refused the focus, and said why
    const TGridRect area = grade->AreaEditavel();
    if (grade->Col() != area.Left || grade->Row() != area.Top)
        grade->SelecionaCelula(area.Left, area.Top);
}

void TFrBeneficiarios::CriaBarraFundo()
{
    PnIdentificacaoFundo = new QWidget(this);
    PnIdentificacaoFundo->setObjectName(QStringLiteral("PnIdentificacaoFundo"));
    PnIdentificacaoFundo->setFixedHeight(40);
    DefineHelpContext(*PnIdentificacaoFundo, AjudaFundo);
    Rotulo(PnIdentificacaoFundo, "CNPJ", 4, 1);
    DblcFundos = new TdvDBLookupCombo(PnIdentificacaoFundo);
    DblcFundos->setObjectName(QStringLiteral("DblcFundos"));
    DblcFundos->setGeometry(4, 16, 140, 21);
    DblcFundos->SetMaxLength(18);
    Rotulo(PnIdentificacaoFundo, "Nome Empresarial do Fundo ou Clube de Investimento", 150, 1);
    DeNomeFundo = Edit(PnIdentificacaoFundo, "DeNomeFundo", TTipoDeDado::AlfaNumerico, 60, QRect(150, 16, 380, 21));
    BbAddFundo = BotaoDePagina(PnIdentificacaoFundo, "BbAddFundo", TFiguraBotao::Inclui, "Inclui novo Fundo ou Clube");
    BbDeleteFundo = BotaoDePagina(PnIdentificacaoFundo, "BbDeleteFundo", TFiguraBotao::Exclui,
                                  "Exclui o Fundo ou Clube");
    BbDesfazerFundo = BotaoDePagina(PnIdentificacaoFundo, "BbDesfazerFundo", TFiguraBotao::Desfaz,
                                    "Desfaz as últimas alterações no campo nome do Fundo ou Clube", true);
    int x = 540;
    for (QToolButton* b : {BbAddFundo, BbDeleteFundo, BbDesfazerFundo}) {
        b->setGeometry(x, 14, 26, 24);
        x += 27;
    }
    // The fund bar works on the fund loaded: nothing once the annex page let it go.
    const std::pair<QToolButton*, void (TFrBeneficiarios::*)()> acoesFundo[] = {
        {BbAddFundo, &TFrBeneficiarios::BbAddFundoClick},
        {BbDeleteFundo, &TFrBeneficiarios::BbDeleteFundoClick},
        {BbDesfazerFundo, &TFrBeneficiarios::BbDesfazerFundoClick}};
    for (const auto& par : acoesFundo)
        connect(par.first, &QToolButton::clicked, this, [this, acao = par.second] {
            TSaidaDeCampo::SePaginaAberta(FAnexo != nullptr, [&] { (this->*acao)(); });
        });

    TbAnexo = CriaTabela(TColecaoAnexo::NomeArquivo());
    TbAnexo->AddField(std::make_unique<TField>(ftString, QStringLiteral("CPF_CNPJ"), 18, fkCalculated));
    TdvTable* anexos = TbAnexo.get();
    TbAnexo->OnCalcFields = [anexos](TDataSet*) {
        QString numero = anexos->FieldByName(QStringLiteral("NR_PF_PJ"))->AsString().trimmed();
        numero += CalculaDVCnpj(numero);
        FormataNi(numero);
        anexos->FieldByName(QStringLiteral("CPF_CNPJ"))->SetAsString(numero);
    };
    DblcFundos->SetLookupTable(TbAnexo.get());
    DblcFundos->SetLookupField(QStringLiteral("E_PRUV_DK;IN_PF_PJ;NR_PF_PJ"));
    DblcFundos->SetSelected({QStringLiteral("CPF_CNPJ\t18\tCNPJ"), QStringLiteral("NM_EMPR\t60\tNome")});
    DblcFundos->SetOptions(loColLines);
    DblcFundos->OnNotInList = [](TdvDBCustomLookupCombo*, TDataSet*, const QString&, bool& aceita) { aceita = true; };
    DblcFundos->OnKeyPress = [this](QChar& tecla) {
        if (tecla == QChar(13)) {
            tecla = QChar();
            FocaPrimeiro(DeNomeFundo, nullptr, nullptr, nullptr);
        } else if (!TeclaDeNumero(tecla, true)) {
            tecla = QChar();
        }
    };
    DblcFundos->OnChange = [this] {
        if (!SoNumerosESinais(DblcFundos->Text()))
            DblcFundos->SetText(QString());
    };
    // The list opens on the fund shown, marked: it may have come by "+" or a locate, not by the
    // list, which marks the fund last chosen in it.
    DblcFundos->OnDropDown = [this](TdvDBCustomLookupCombo*) {
        if (FAnexo && !FAnexo->GetChave().isEmpty()
            && TbAnexo->Locate(QStringLiteral("ANEXO_DK"), {FAnexo->GetChave()}, 0))
            DblcFundos->Grid().TakeCurrentRecord();
    };
    DblcFundos->OnCloseUp = [this](TdvDBCustomLookupCombo*, TDataSet*, TDataSet*, bool aceito) {
        TSaidaDeCampo::SePaginaAberta(FAnexo != nullptr, [this, aceito] { EscolheFundo(aceito); });
    };
    DeNomeFundo->OnPressEnter = [this](TPruvCustomEdit*) { FocaPrimeiro(DblcCodRet, nullptr, nullptr, nullptr); };
    DeNomeFundo->OnKeyDown = [this](int& tecla, Qt::KeyboardModifiers shift) {
        if (tecla == Qt::Key_N && shift.testFlag(Qt::ControlModifier)) {
            tecla = 0;
            FocaPrimeiro(DblcCodRet, nullptr, nullptr, nullptr);
        }
    };
}

// ---- opening and closing ----

void TFrBeneficiarios::Abre(bool ModoAnexo, TPosicionaCampo Posiciona)
{
    FModoAnexo = ModoAnexo;
    FPosiciona = std::move(Posiciona);
    PnIdentificacaoFundo->setVisible(FModoAnexo);
    PnIdentificacaoFundo->setEnabled(FModoAnexo);
    if (FModoAnexo) {
        AbreFundos();
    } else {
        FDono = FPruv;
        AbreItens();
    }
}

void TFrBeneficiarios::Fecha()
{
    FechaItens();
    if (FModoAnexo)
        FechaFundos();
    FPosiciona = nullptr;
}

void TFrBeneficiarios::AbreItens()
{
    if (!FPruv || !FDono)
        return;
    FColecao = &FDono->GetItens();
    FItem = std::make_unique<TPruvItem>(*FPruv, *FDono);
    FCopia = std::make_unique<TPruvItem>(*FPruv, *FDono);
    FItem->SetErros(FPruv->Erros());
    AbreTabela(*TbCodRet);
    TColecaoCodigoRetencao::Filtra(*FPruv, *TbCodRet, FModoAnexo ? QStringLiteral("1") : QStringLiteral("0"));
    // A new, empty item after the last stored one.
    FColecao->AplicaFiltro();
    FColecao->Ultimo();
    FItem->Limpa();
    FItem->SetAlterado(false);
    FCopia->Limpa();
    DeCpfCnpjBenef->SetDado(&FItem->GetBeneficiario());
    DeNomeBenef->SetDado(&FItem->GetBeneficiario().Nome());
    RefazTela();
    AtualizaBotoes();
}

void TFrBeneficiarios::FechaItens()
{
    if (TbCodRet)
        FechaTabela(*TbCodRet);
    DeCpfCnpjBenef->SetDado(nullptr);
    DeNomeBenef->SetDado(nullptr);
    // The roads that close the items stored what was typed first.
    for (TPruvGridMeses* grade : Grades())
        grade->SetPruvItem(nullptr, false);
    FItem.reset();
    FCopia.reset();
    FColecao = nullptr;
}

void TFrBeneficiarios::AbreFundos()
{
    FAnexo = std::make_unique<TAnexoFC>(*FPruv);
    FDonoAnexo = std::make_unique<TAnexoFC>(*FPruv);
    FCopiaAnexo = std::make_unique<TAnexoFC>(*FPruv);
    for (TAnexoFC* anexo : {FAnexo.get(), FDonoAnexo.get(), FCopiaAnexo.get()})
        anexo->SetErros(FPruv->Erros());
    FDono = FDonoAnexo.get();
    AbreTabela(*TbAnexo);
    FPruv->GetColecaoAnexo().FiltraTabela(*TbAnexo);
    TbAnexo->First();
    CarregaFundoDaLista();
    DeNomeFundo->SetDado(&FAnexo->GetDeclarante().Nome());
    TrocaFundo();
    AtualizaBotoesAnexo();
}

void TFrBeneficiarios::FechaFundos()
{
    DeNomeFundo->SetDado(nullptr);
    if (TbAnexo)
        FechaTabela(*TbAnexo);
    FechaItens();
    FDono = nullptr;
    FAnexo.reset();
    FDonoAnexo.reset();
    FCopiaAnexo.reset();
}

// The list's current row becomes the fund, loaded; an empty list leaves a new fund.
void TFrBeneficiarios::CarregaFundoDaLista()
{
    FAnexo->Limpa();
    if (TbAnexo->IsEmpty()) {
        DblcFundos->SetText(QString());
    } else {
        DblcFundos->SetText(TbAnexo->FieldByName(QStringLiteral("CPF_CNPJ"))->AsString());
        FAnexo->SetChave(TbAnexo->FieldByName(QStringLiteral("ANEXO_DK"))->AsString().trimmed());
        FPruv->GetColecaoAnexo().Carrega(*FAnexo);
        // Read as stored is no change: only an edit of the fund has it written again.
        FAnexo->GetDeclarante().SetAlterado(false);
    }
    FAnexo->Copia(*FCopiaAnexo);
}

void TFrBeneficiarios::TrocaFundo()
{
    if (FItem && FAnexo->GetChave() == FDonoAnexo->GetChave())
        return;
    FechaItens();
    FAnexo->Copia(*FDonoAnexo);
    FDono = FDonoAnexo.get();
    AbreItens();
}

bool TFrBeneficiarios::FundoSemChave() const
{
    return FModoAnexo && (!FDonoAnexo || FDonoAnexo->GetChave().isEmpty());
}

// ---- showing ----

void TFrBeneficiarios::RefazTela()
{
    if (!FItem)
        return;
    TPruvItem& item = *FItem;
    const TCodigoRetencao& codigo = item.GetCodigoRetencao();
    DblcCodRet->SetText(codigo.GetCodigo());
    if (!codigo.GetCodigo().isEmpty() && TbCodRet->Active())
        TbCodRet->Locate(QStringLiteral("COD_RETENCAO"), {codigo.GetCodigo()}, 0);
    for (TPruvGridMeses* grade : Grades())
        grade->SetPruvItem(&item);

    const QString tipo = codigo.GetPfPjAmbos();
    const bool cnpj = item.GetBeneficiario().TipoAtual() == TNiContribuinte::Cnpj;
    if (tipo == QLatin1String("J") || (tipo == QLatin1String("A") && cnpj)) {
        DgrRendimentos->SetDeducao(false);
        DgsSubJudice->SetDeducao(false);
        PCPruvItem->setTabVisible(1, false);
        PCPruvItem->setTabVisible(2, false);
    } else {
        DgrRendimentos->SetDeducao(codigo.GetDeducao());
        DgsSubJudice->SetDeducao(codigo.GetDeducao());
        // Before 2000 a declaration stores none: nothing is offered to type.
        const bool judicial = RegrasDoItem::AdmiteJudicial(item);
        for (int i : {1, 2}) {
            PCPruvItem->setTabEnabled(i, judicial);
            PCPruvItem->setTabVisible(i, judicial);
        }
    }
    const bool decimo = RegrasDoItem::MantemDecimoTerceiro(item);
    DgrRendimentos->SetDecimoTerceiro(decimo);
    DgcCompensacao->SetDecimoTerceiro(decimo);
    DgsSubJudice->SetDecimoTerceiro(decimo);
    for (TPruvGridMeses* grade : Grades())
        grade->Atualiza();
    DefineHelpContext(*PCPruvItem, AjudaFichas[0]);
}

void TFrBeneficiarios::AtualizaBotoes()
{
    QToolButton* botoes[] = {BbFirst, BbPrior, BbNext, BbLast, BbAdd, BbDelete, BbDesfazer};
    FNoUltimo = true;
    if (FundoSemChave() || !FColecao) {
        for (QToolButton* b : botoes)
            b->setEnabled(false);
        return;
    }
    for (QToolButton* b : botoes)
        b->setEnabled(true);
    // The one item of a collection is its first and its last: nothing to move to, but there to
    // delete. Delete is off only where the moves have found no item at all.
    // A new item stands after the stored ones: First, Prior and Last bring them back.
    const bool semItens = FColecao->Bof() && FColecao->Eof();
    const bool novo = FItem && FItem->GetChave().isEmpty();
    if (novo ? semItens : FColecao->NoPrimeiro()) {
        BbFirst->setEnabled(false);
        BbPrior->setEnabled(false);
    }
    FNoUltimo = FColecao->NoUltimo();
    if (FNoUltimo)
        BbNext->setEnabled(false);
    if (novo ? semItens : FNoUltimo)
        BbLast->setEnabled(false);
    if (semItens)
        BbDelete->setEnabled(false);
}

void TFrBeneficiarios::AtualizaBotoesAnexo()
{
    BbDeleteFundo->setEnabled(FAnexo && !FAnexo->GetChave().isEmpty());
    const bool vazia = TbAnexo->IsEmpty();
    DblcFundos->SetStyle(vazia ? TComboBoxStyle::csDropDown : TComboBoxStyle::csDropDownList);
}

// ---- the code, the key and saving ----

std::uint8_t TFrBeneficiarios::AtualizaCodigo()
{
    TPruvItem& item = *FItem;
    const QString texto = DblcCodRet->Text().trimmed();
    const QString atual = item.GetCodigoRetencao().GetCodigo();
    if (texto == atual && (atual.isEmpty() || !item.GetAlterado()))
        return 0;
    TCodigoRetencao codigo;
    codigo.SetCodigo(texto);
    item.AtribuiCodigoRetencao(codigo);
    const std::uint8_t resultado = item.VerificaCodigo();
    item.SetAlterado(true);
    if (resultado == 0)
        RefazTela();
    return resultado;
}

std::uint8_t TFrBeneficiarios::SalvaPruvItem(bool& Mostrada)
{
    Mostrada = false;
    if (!FColecao || !FItem || !FItem->GetAlterado())
        return 0;
    TPruvItem& item = *FItem;
    if (const std::uint8_t r = item.Verifica(); r != 0) {
        AtualizaBotoes();
        return r;
    }
    if (const std::uint8_t r = item.GetBeneficiario().Verifica(); r != 0)
        return r;
    const QString codigo = item.GetCodigoRetencao().GetCodigo();
    if (const std::uint8_t r = item.ValoresValidos(); r != 0) {
        Mostrada = true;
        TErro(r, codigo, TipoDialogo::Erro, Botao::Ok | Botao::Ajuda, AjudaValores).Exibe();
        FocaPrimeiro(DblcCodRet, nullptr, nullptr, nullptr);
        return r;
    }
    const QScopedValueRollback salvando(FSalvando, true);
    try {
        try {
            FColecao->Salva(item);
        } catch (const TErro& e) {
            if (e.Codigo() != CodigoMensagem::BeneficiarioExistente)
                throw;
            if (e.Exibe() != Resposta::Sim) {
                // The stored beneficiary and code come back; the values typed stay.
                FCopia->GetBeneficiario().AtribuiA(item.GetBeneficiario());
                item.GetCodigoRetencao() = FCopia->GetCodigoRetencao();
                RefazTela();
                Mostrada = true;
                return CodigoMensagem::BeneficiarioExistente;
            }
            FColecao->Substitui(item);
        }
    } catch (const TErro& e) {
        Mostrada = true;
        e.Exibe();
        AtualizaBotoes();
        return e.Codigo();
    }
    item.Copia(*FCopia);
    AtualizaBotoes();
    return 0;
}

void TFrBeneficiarios::MostraErroItem(std::uint8_t Codigo)
{
    QString parametro = FItem->GetCodigoRetencao().GetCodigo();
    if (Codigo >= CodigoMensagem::NiInvalido && Codigo <= CodigoMensagem::CnpjInvalido) {
        parametro = DeCpfCnpjBenef->text();
        FormataNi(parametro);
    }
    TErro(Codigo, parametro, TipoDialogo::Erro, Botao::Ok, 0).Exibe();
}

void TFrBeneficiarios::FocaErroItem(std::uint8_t Codigo)
{
    const bool numero = Codigo >= CodigoMensagem::NiInvalido && Codigo <= CodigoMensagem::CnpjAusente;
    if (!numero && FItem->GetBeneficiario().Nome().GetTexto().isEmpty()) {
        FocaPrimeiro(DeNomeBenef, nullptr, nullptr, nullptr);
    } else {
        FocaPrimeiro(DeCpfCnpjBenef, nullptr, nullptr, nullptr);
        DeCpfCnpjBenef->selectAll();
    }
}

// A save that failed keeps the user on the item with its edits: the message, then the field.
bool TFrBeneficiarios::SalvaAntesDeSair()
{
    if (!FItem)
        return true;
    // The cell or field being typed writes back first (the window's focus: a dialog may be active).
    if (!EscreveCelula())
        return false;
    QWidget* foco = window()->focusWidget();
    for (TPruvEdit* edit : {DeCpfCnpjBenef, DeNomeBenef})
        if (foco == edit && !edit->Valida())
            return false;
    if (AtualizaCodigo() != 0 && !FItem->GetChave().isEmpty()) {
        TErro(CodigoMensagem::CodigoRetencaoInvalido, DblcCodRet->Text(), TipoDialogo::Erro, Botao::Ok, 0).Exibe();
        FocaPrimeiro(DblcCodRet, nullptr, nullptr, nullptr);
        return false;
    }
    bool mostrada = false;
    const std::uint8_t r = SalvaPruvItem(mostrada);
    if (r == 0)
        return true;
    if (!mostrada) {
        MostraErroItem(r);
        FocaErroItem(r);
    }
    return false;
}

std::array<TPruvGridMeses*, 3> TFrBeneficiarios::Grades() const
{
    return {DgrRendimentos, DgcCompensacao, DgsSubJudice};
}

bool TFrBeneficiarios::EscreveCelula()
{
    QWidget* foco = window()->focusWidget();
    for (TPruvGridMeses* grade : Grades())
        if ((grade->EditorMode() || (foco && (foco == grade || grade->isAncestorOf(foco)))) && !grade->Valida())
            return false;
    return true;
}

bool TFrBeneficiarios::TrocaItem(bool Guarda, const std::function<void()>& Muda)
{
    for (TPruvGridMeses* grade : Grades())
        if (!grade->SetPruvItem(nullptr, Guarda)) {
            RefazTela();
            return false;
        }
    Muda();
    RefazTela();
    return true;
}

// ---- navigation ----

void TFrBeneficiarios::CarregaAtual()
{
    FColecao->LeRegistro(*FItem);
    FItem->Copia(*FCopia);
}

void TFrBeneficiarios::MovePrimeiro()
{
    FColecao->PrimeiroRegistro(*FItem);
}
void TFrBeneficiarios::MoveAnterior()
{
    FColecao->AnteriorRegistro(*FItem);
}
void TFrBeneficiarios::MoveProximo()
{
    FColecao->ProximoRegistro(*FItem);
}
void TFrBeneficiarios::MoveUltimo()
{
    FColecao->UltimoRegistro(*FItem);
}

void TFrBeneficiarios::Navega(void (TFrBeneficiarios::*Move)())
{
    if (!FColecao || !SalvaAntesDeSair())
        return;
    const bool trocou = TrocaItem(true, [this, Move] {
        // A new item that was saved is now stored: the collection stands on it.
        if (!FItem->GetChave().isEmpty())
            FColecao->Posiciona(*FItem);
        (this->*Move)();
        FItem->Copia(*FCopia);
    });
    if (trocou)
        DepoisDeNavegar();
}

void TFrBeneficiarios::DepoisDeNavegar()
{
    FocaPrimeiro(DblcCodRet, nullptr, nullptr, nullptr);
    AtualizaBotoes();
    PCPruvItem->setCurrentIndex(0);
}

void TFrBeneficiarios::BbFirstClick()
{
    Navega(&TFrBeneficiarios::MovePrimeiro);
}
void TFrBeneficiarios::BbNextClick()
{
    Navega(&TFrBeneficiarios::MoveProximo);
}
void TFrBeneficiarios::BbLastClick()
{
    Navega(&TFrBeneficiarios::MoveUltimo);
}

void TFrBeneficiarios::BbPriorClick()
{
    if (!FItem)
        return;
    if (!FItem->GetChave().isEmpty()) {
        Navega(&TFrBeneficiarios::MoveAnterior);
        return;
    }
    // From a new item, back to the stored item it was begun after.
    if (!SalvaAntesDeSair())
        return;
    const bool trocou = TrocaItem(true, [this] {
        if (!FItem->GetChave().isEmpty()) {
            FColecao->Posiciona(*FItem);
        } else {
            if (FNoUltimo)
                FColecao->Ultimo();
            CarregaAtual();
        }
    });
    if (trocou)
        DepoisDeNavegar();
}

void TFrBeneficiarios::BbAddClick()
{
    if (!FItem || !FDono || FDono->GetChave().isEmpty())
        return;
    // What was typed is stored first: a new item never drops the one before.
    if (!SalvaAntesDeSair())
        return;
    const bool trocou = TrocaItem(true, [this] {
        FItem->Copia(*FCopia);
        FItem->Limpa();
        FItem->SetAlterado(false);
        const QString codigo = DblcCodRet->Text().trimmed();
        if (!codigo.isEmpty()) {
            TCodigoRetencao c;
            c.SetCodigo(codigo);
            FItem->AtribuiCodigoRetencao(c);
            if (FItem->VerificaCodigo() != 0)
                FItem->GetCodigoRetencao().Limpa();
            FItem->SetAlterado(false);
        }
        FocaPrimeiro(FItem->GetCodigoRetencao().GetCodigo().isEmpty() ? static_cast<QWidget*>(DblcCodRet)
                                                                      : DeCpfCnpjBenef,
                     nullptr, nullptr, nullptr);
        QCoreApplication::processEvents();
    });
    if (!trocou)
        return;
    PCPruvItem->setCurrentIndex(0);
    AtualizaBotoes();
}

void TFrBeneficiarios::BbDeleteClick()
{
    if (!FItem || !FColecao)
        return;
    if (FItem->GetChave().isEmpty()) {
        DescartaDigitacao({PnChavePruvItem, PCPruvItem});
        TrocaItem(false, [this] { CarregaAtual(); });
    } else {
        // The item as stored is what is deleted, whatever was typed since.
        const QString parametro = FCopia->GetBeneficiario().GetNiFormatado() + QLatin1Char(';')
            + FCopia->GetCodigoRetencao().GetCodigo();
        if (TErro(CodigoMensagem::ConfirmaExclusaoBeneficiario, parametro, TipoDialogo::Confirmacao,
                  Botao::Sim | Botao::Nao, 0)
                .Exibe()
            == Resposta::Sim) {
            // What is being typed belongs to the item deleted, not to the one shown next.
            DescartaDigitacao({PnChavePruvItem, PCPruvItem});
            TrocaItem(false, [this] {
                try {
                    FCopia->Copia(*FItem);
                    FColecao->Exclui(*FItem);
                    FItem->Copia(*FCopia);
                } catch (const TErro& e) {
                    e.Exibe();
                }
            });
        }
    }
    FocaPrimeiro(DblcCodRet, nullptr, nullptr, nullptr);
    RefazTela();
    PCPruvItem->setCurrentIndex(0);
    AtualizaBotoes();
}

void TFrBeneficiarios::BbDesfazerClick()
{
    if (!FItem)
        return;
    DescartaDigitacao({PnChavePruvItem, PCPruvItem});
    TrocaItem(false, [this] {
        FCopia->Copia(*FItem);
        FItem->SetAlterado(false);
    });
    // A new item undone is the stored one again: the moves are those of its place.
    AtualizaBotoes();
    FocaPrimeiro(DblcCodRet, nullptr, nullptr, nullptr);
}

void TFrBeneficiarios::Cancela()
{
    if (!FItem || !FColecao)
        return;
    TrocaItem(false, [this] {
        if (FCopia->GetChave().isEmpty() || !FColecao->Carrega(*FCopia))
            FColecao->Ultimo();
        CarregaAtual();
    });
    AtualizaBotoes();
}

bool TFrBeneficiarios::LocalizaBeneficiario(const QString& Identidade)
{
    if (!FItem || !FColecao || !GuardaDigitado(true))
        return false;
    // Found by the code and number the row names: an item deleted, or its key given to another
    // since, is said to be gone and the page stays as it was. A row that names no item (one of
    // the declaration or of the fund) leaves the item as it is.
    FCopia->Limpa();
    if (!FCopia->TomaIdentidade(Identidade)) {
        FItem->Copia(*FCopia);
        return true;
    }
    if (!FColecao->Carrega(*FCopia)) {
        FItem->Copia(*FCopia);
        TErro(FModoAnexo ? CodigoMensagem::BeneficiarioForaDoFundo : CodigoMensagem::ItemDeOutraPruv, QString(),
              TipoDialogo::Erro, Botao::Ok, 0)
            .Exibe();
        return false;
    }
    if (!TrocaItem(true, [this] {
            FCopia->Copia(*FItem);
            FItem->SetAlterado(false);
        }))
        return false;
    AtualizaBotoes();
    return true;
}

bool TFrBeneficiarios::LocalizaFundo(const QString& Chave)
{
    if (!FModoAnexo || !FAnexo)
        return false;
    if (Chave == FAnexo->GetChave() && !Chave.isEmpty())
        return true;
    if (!GuardaDigitado(true))
        return false;
    // Looked for apart: the fund as stored (the undo copy) and the fund shown change only when
    // it is found.
    TAnexoFC procurado(*FPruv);
    procurado.SetErros(FPruv->Erros());
    procurado.SetChave(Chave);
    if (Chave.isEmpty() || !FPruv->GetColecaoAnexo().Carrega(procurado)) {
        TErro(CodigoMensagem::FundoInexistente, QString(), TipoDialogo::Erro, Botao::Ok, 0).Exibe();
        return false;
    }
    procurado.Copia(*FCopiaAnexo);
    FCopiaAnexo->Copia(*FAnexo);
    FAnexo->GetDeclarante().SetAlterado(false);
    TbAnexo->Refresh();
    TbAnexo->Locate(QStringLiteral("ANEXO_DK"), {FAnexo->GetChave()}, 0);
    DblcFundos->SetText(FAnexo->GetDeclarante().GetNiFormatado());
    TrocaFundo();
    AtualizaBotoesAnexo();
    return true;
}

// ---- the exit check ----

bool TFrBeneficiarios::Valida()
{
    return GuardaDigitado(true);
}

// The one road out of what the page shows. A tool button takes no focus: the field being typed
// has not been left, and writes back here first.
bool TFrBeneficiarios::GuardaDigitado(bool ComFundo)
{
    if (!FItem)
        return true;
    if (!EscreveCelula())
        return false;
    QWidget* foco = window()->focusWidget();
    for (TPruvEdit* edit : {DeCpfCnpjBenef, DeNomeBenef, DeNomeFundo})
        if (foco == edit && (edit != DeNomeFundo || ComFundo) && !edit->Valida())
            return false;
    if (!GuardaItem())
        return false;
    return !FModoAnexo || !ComFundo || GuardaFundo();
}

bool TFrBeneficiarios::GuardaItem()
{
    // A fund not stored yet has no items: nothing of one is kept, and nothing holds the user.
    if (FundoSemChave())
        return true;
    if (const std::uint8_t r = AtualizaCodigo(); r != 0) {
        if (FItem->GetChave().isEmpty())
            return true;
        TErro(r, DblcCodRet->Text(), TipoDialogo::Erro, Botao::Ok, 0).Exibe();
        FocaPrimeiro(DblcCodRet, nullptr, nullptr, nullptr);
        return false;
    }
    bool mostrada = false;
    if (const std::uint8_t r = SalvaPruvItem(mostrada); r != 0) {
        // A new item's incomplete key is let go: nothing of it was stored, and one emptied again
        // (its number undone with Esc) is nothing to keep. Edits of a stored item, or values
        // typed on a new one, keep the user here.
        if (FItem->GetChave().isEmpty() && !mostrada && (!FItem->GetValores().GetAlterado() || NovoItemVazio()))
            return true;
        if (!mostrada)
            MostraErroItem(r);
        FocaErroItem(r);
        return false;
    }
    return true;
}

// The CNPJ typed becomes the fund's, and a changed fund is stored; a fund whose CNPJ or name the
// model refuses keeps the user on it with the message. A new fund left empty is nothing to keep.
bool TFrBeneficiarios::GuardaFundo()
{
    const QString cnpj = RemoveMascara(DblcFundos->Text());
    if (FAnexo->GetChave().isEmpty() && cnpj.isEmpty())
        return true;
    if (const std::uint8_t r = ValidaCnpj(cnpj, true, false); r != 0) {
        TErro(r, QString(), TipoDialogo::Erro, Botao::Ok, 0).Exibe();
        FocaPrimeiro(DblcFundos, nullptr, nullptr, nullptr);
        return false;
    }
    // The CNPJ the fund already has is no change of it.
    if (cnpj != FAnexo->GetDeclarante().GetNi())
        TomaCnpj(cnpj);
    TContribuinte& fundo = FAnexo->GetDeclarante();
    if (const std::uint8_t r = fundo.GetAlterado() ? fundo.Verifica() : std::uint8_t{0}; r != 0) {
        TErro(r, QString(), TipoDialogo::Erro, Botao::Ok, 0).Exibe();
        const bool nome = r == CodigoMensagem::NomeInvalido || r == CodigoMensagem::NomeEmpresarialInvalido
            || (r >= CodigoMensagem::NomeComMaisDeQuinzePartes && r <= CodigoMensagem::CaracteresInvalidosNoNome);
        FocaPrimeiro(nome ? static_cast<QWidget*>(DeNomeFundo) : DblcFundos, nullptr, nullptr, nullptr);
        return false;
    }
    SalvaFundo();
    return true;
}

bool TFrBeneficiarios::NovoItemVazio() const
{
    const TPruvItem& item = *FItem;
    const TSubJudice& subJudice = item.GetSubJudice();
    return item.GetChave().isEmpty() && item.GetBeneficiario().GetNi().isEmpty()
        && item.GetBeneficiario().Nome().GetTexto().trimmed().isEmpty() && item.GetValores().Zerado()
        && item.GetCompensacao().Zerado() && subJudice.Zerado() && subJudice.DepositoZerado();
}

void TFrBeneficiarios::SincronizaComprovante()
{
    if (FItem && FSincronizar && FPosiciona && !FItem->GetBeneficiario().GetNiFormatado().isEmpty())
        FPosiciona(FDono->GetChave(), FItem->GetBeneficiario().GetNi(), 0);
}

bool TFrBeneficiarios::Sai()
{
    if (!Valida())
        return false;
    SincronizaComprovante();
    return true;
}

void TFrBeneficiarios::Entra()
{
    if (!FItem || !FColecao)
        return;
    FColecao->AplicaFiltro();
    if (!FItem->GetChave().isEmpty()) {
        // Read again as stored: the other item page may have changed what the item shows (its
        // beneficiary's name). Leaving the page saved its edits; edits still held are kept.
        if (FColecao->Posiciona(*FItem) && !FItem->GetAlterado())
            TrocaItem(false, [this] { CarregaAtual(); });
    } else if (FNoUltimo)
        FColecao->Ultimo();
    else if (!BbFirst->isEnabled())
        FColecao->Primeiro();
    TColecaoCodigoRetencao::Filtra(*FPruv, *TbCodRet, FModoAnexo ? QStringLiteral("1") : QStringLiteral("0"));
    AtualizaBotoes();
    SincronizaComprovante();
}

// ---- focus ----

bool TFrBeneficiarios::Contem(const QWidget* Area, const QWidget* w) const
{
    return w && (w == Area || Area->isAncestorOf(w));
}

bool TFrBeneficiarios::FocoEmDescarte(const QWidget* Agora) const
{
    return Agora == BbDelete || Agora == BbDesfazer || Agora == BbDeleteFundo || Agora == BbDesfazerFundo
        || TSaidaDeCampo::FocoEmBotaoCancela();
}

void TFrBeneficiarios::FocoMudou(QWidget* Antes, QWidget* Agora)
{
    if (!FItem || FSalvando || TSaidaDeCampo::MensagemPendente() || !Antes || !Agora || Antes == Agora)
        return;
    if (!isAncestorOf(Antes)) {
        if (FundoSemChave())
            FechaItensSemFundo(Agora);
        else if (Contem(PCPruvItem, Agora))
            EntraGrades();
        return;
    }
    if (FocoEmDescarte(Agora) || Agora->window() != window())
        return;
    if (FModoAnexo && Contem(PnIdentificacaoFundo, Antes)) {
        if (Contem(DblcFundos, Antes) && !Contem(DblcFundos, Agora))
            SaiFundo(Agora);
        if (Antes == DeNomeFundo && Agora != DeNomeFundo)
            SalvaFundo();
        if (Contem(PnIdentificacaoFundo, Agora))
            return;
        // The fund bar left: the items follow the fund.
        SalvaFundo();
        TrocaFundo();
        AtualizaBotoes();
        if (FundoSemChave())
            FechaItensSemFundo(Agora);
        else if (Contem(PCPruvItem, Agora))
            EntraGrades();
        return;
    }
    if (FundoSemChave()) {
        FechaItensSemFundo(Agora);
        return;
    }
    if (Contem(DblcCodRet, Antes) && !Contem(DblcCodRet, Agora)) {
        SaiCodigo(Agora);
        if (TSaidaDeCampo::MensagemPendente())
            return;
    }
    if (Antes == DeCpfCnpjBenef && Agora != DeCpfCnpjBenef)
        SaiCpfCnpj();
    if (Contem(Panel3, Antes) && !Contem(Panel3, Agora)) {
        SaiChave(Agora);
        if (TSaidaDeCampo::MensagemPendente())
            return;
        // The name that the key proposed (stored with the number, or the stored item's) came
        // after the name's own focus entry: selected as that entry selects the name it finds,
        // so that typing replaces it.
        if (Agora == DeNomeBenef && !DeNomeBenef->Modified())
            DeNomeBenef->selectAll();
    }
    if (Antes == DeNomeBenef && Agora != DeNomeBenef)
        SaiNome();
    const bool antesChave = Contem(Panel2, Antes);
    const bool agoraChave = Contem(Panel2, Agora);
    const bool antesGrade = Contem(PCPruvItem, Antes);
    const bool agoraGrade = Contem(PCPruvItem, Agora);
    if (antesChave && !agoraChave && agoraGrade) {
        // Into the values only with a code, a number and a name.
        QWidget* vazio = FItem->GetCodigoRetencao().GetCodigo().isEmpty()    ? static_cast<QWidget*>(DblcCodRet)
            : FItem->GetBeneficiario().GetNiFormatado().isEmpty()            ? static_cast<QWidget*>(DeCpfCnpjBenef)
            : FItem->GetBeneficiario().Nome().GetTexto().trimmed().isEmpty() ? DeNomeBenef
                                                                             : nullptr;
        if (vazio) {
            QMetaObject::invokeMethod(
                this, [vazio] { FocaPrimeiro(vazio, nullptr, nullptr, nullptr); }, Qt::QueuedConnection);
            return;
        }
    }
    if (agoraGrade && !antesGrade) {
        EntraGrades();
        return;
    }
    if ((antesChave && !agoraChave && !agoraGrade) || (antesGrade && !agoraGrade && !agoraChave)) {
        bool mostrada = false;
        const std::uint8_t r = SalvaPruvItem(mostrada);
        if (r != 0 && !mostrada) {
            QString parametro = FItem->GetCodigoRetencao().GetCodigo();
            if (r >= CodigoMensagem::NiInvalido && r <= CodigoMensagem::CnpjInvalido) {
                parametro = DeCpfCnpjBenef->text();
                FormataNi(parametro);
            }
            TSaidaDeCampo::MostraAdiado(TErro(r, parametro, TipoDialogo::Erro, Botao::Ok, 0), DeCpfCnpjBenef);
        }
    }
}

void TFrBeneficiarios::FechaItensSemFundo(QWidget* Agora)
{
    if (Contem(Panel2, Agora) || Contem(PCPruvItem, Agora))
        QMetaObject::invokeMethod(
            this, [this] { FocaPrimeiro(DblcFundos, nullptr, nullptr, nullptr); }, Qt::QueuedConnection);
}

void TFrBeneficiarios::SaiCodigo(QWidget* Agora)
{
    if (DblcCodRet->Text().trimmed().isEmpty()
        && (Agora == DeCpfCnpjBenef || Agora == DeNomeBenef || Contem(PCPruvItem, Agora))) {
        QMetaObject::invokeMethod(
            this, [this] { FocaPrimeiro(DblcCodRet, nullptr, nullptr, nullptr); }, Qt::QueuedConnection);
        return;
    }
    if (const std::uint8_t r = AtualizaCodigo(); r != 0)
        TSaidaDeCampo::MostraAdiado(TErro(r, DblcCodRet->Text(), TipoDialogo::Erro, Botao::Ok, 0), DblcCodRet);
}

void TFrBeneficiarios::SaiCpfCnpj()
{
    TPruvItem& item = *FItem;
    if (item.GetBeneficiario().GetNiFormatado().isEmpty() || !item.GetAlterado())
        return;
    FPruv->GetColecaoBeneficiario().Carrega(item.GetBeneficiario());
    RefazTela();   // the kind of number decides the deduction column and the tabs
}

void TFrBeneficiarios::SaiChave(QWidget* Agora)
{
    TPruvItem& item = *FItem;
    if (item.GetChave().isEmpty()
        && (item.GetBeneficiario().GetNiFormatado().isEmpty() || item.GetCodigoRetencao().GetCodigo().isEmpty())
        && Agora != DeNomeBenef)
        return;
    if (const std::uint8_t r = item.Verifica(); r != 0) {
        QString parametro = item.GetCodigoRetencao().GetCodigo();
        if (r >= CodigoMensagem::NiInvalido && r <= CodigoMensagem::CnpjInvalido) {
            parametro = DeCpfCnpjBenef->text();
            FormataNi(parametro);
        }
        TSaidaDeCampo::MostraAdiado(TErro(r, parametro, TipoDialogo::Erro, Botao::Ok, 0), DeCpfCnpjBenef, true);
        return;
    }
    // A new item whose code and beneficiary are stored already becomes that item.
    TrocaItem(true, [this, &item] {
        if (item.GetChave().isEmpty() && FColecao->Carrega(item))
            item.Copia(*FCopia);
    });
}

void TFrBeneficiarios::SaiNome()
{
    TBeneficiarioPruv& beneficiario = FItem->GetBeneficiario();
    if (beneficiario.Verifica() != 0 || beneficiario.Nome().GetTexto().trimmed().isEmpty())
        return;
    bool mostrada = false;
    const std::uint8_t r = SalvaPruvItem(mostrada);
    if (r != 0 && !mostrada)
        TSaidaDeCampo::MostraAdiado(TErro(r, FItem->GetCodigoRetencao().GetCodigo(), TipoDialogo::Erro, Botao::Ok, 0),
                                    DeNomeBenef);
}

void TFrBeneficiarios::EntraGrades()
{
    if (!FDono)
        return;
    if (FundoSemChave()) {
        QMetaObject::invokeMethod(
            this, [this] { FocaPrimeiro(DblcFundos, nullptr, nullptr, nullptr); }, Qt::QueuedConnection);
        return;
    }
    if (FItem->GetCodigoRetencao().GetCodigo().isEmpty()) {
        QMetaObject::invokeMethod(
            this, [this] { FocaPrimeiro(DblcCodRet, nullptr, nullptr, nullptr); }, Qt::QueuedConnection);
        return;
    }
    for (TPruvGridMeses* grade : Grades())
        grade->SetPruvItem(FItem.get());
}

// ---- the fund bar ----

void TFrBeneficiarios::EscolheFundo(bool Aceito)
{
    if (TbAnexo->IsEmpty())
        return;
    // A CNPJ typed in the open list is taken as on leaving the field: the list finds only what it
    // shows, masked, so a CNPJ typed whole is no row of it.
    const QString digitado = RemoveMascara(DblcFundos->Text());
    const bool outro = Aceito && !digitado.isEmpty()
        && digitado != RemoveMascara(TbAnexo->FieldByName(QStringLiteral("CPF_CNPJ"))->AsString());
    if (outro && digitado != FAnexo->GetDeclarante().GetNi()) {
        DblcFundos->SetText(FAnexo->GetDeclarante().GetNiFormatado());
        if (GuardaDigitado(true))
            TomaCnpj(digitado);
        return;
    }
    if (!Aceito || outro) {
        // Esc: the rows the arrows went through were no choice; the fund shown stays.
        if (!FAnexo->GetChave().isEmpty()) {
            TbAnexo->Locate(QStringLiteral("ANEXO_DK"), {FAnexo->GetChave()}, 0);
            DblcFundos->SetText(FAnexo->GetDeclarante().GetNiFormatado());
        }
        return;
    }
    const QString escolhido = TbAnexo->FieldByName(QStringLiteral("CPF_CNPJ"))->AsString();
    DblcFundos->SetText(escolhido);
    if (escolhido == FAnexo->GetDeclarante().GetNiFormatado())
        return;
    // Storing what the page shows puts the list back on its row: the choice is kept by its key.
    const QString chave = TbAnexo->FieldByName(QStringLiteral("ANEXO_DK"))->AsString().trimmed();
    DblcFundos->SetText(FAnexo->GetDeclarante().GetNiFormatado());
    if (!LocalizaFundo(chave) && !FAnexo->GetChave().isEmpty())
        TbAnexo->Locate(QStringLiteral("ANEXO_DK"), {FAnexo->GetChave()}, 0);
}

void TFrBeneficiarios::SaiFundo(QWidget* Agora)
{
    if (Agora == BbDesfazerFundo || Agora == BbDeleteFundo)
        return;
    const QString cnpj = RemoveMascara(DblcFundos->Text());
    if (cnpj == FAnexo->GetDeclarante().GetNi())
        return;
    // An empty CNPJ counts only while the user goes on to the items.
    if (cnpj.isEmpty() && !(Contem(PnChavePruvItem, Agora) || Contem(PCPruvItem, Agora)))
        return;
    TomaCnpj(cnpj);
}

// The fund of that CNPJ: the stored one when there is one, else a new fund that keeps the name
// typed for it.
void TFrBeneficiarios::TomaCnpj(const QString& Cnpj)
{
    const QString nomeDigitado = FAnexo->GetChave().isEmpty() ? FAnexo->GetDeclarante().Nome().GetTexto() : QString();
    FAnexo->Limpa();
    FAnexo->GetDeclarante().SetNiSemExcecao(Cnpj);
    DblcFundos->SetText(FAnexo->GetDeclarante().GetNiFormatado());
    if (FPruv->GetColecaoAnexo().Carrega(*FAnexo)) {
        FAnexo->Copia(*FCopiaAnexo);
        FAnexo->GetDeclarante().SetAlterado(false);
    } else if (!nomeDigitado.isEmpty()) {
        FAnexo->GetDeclarante().Nome().SetNomeSemExcecao(nomeDigitado);
    }
    TrocaFundo();
    AtualizaBotoes();
    AtualizaBotoesAnexo();
}

// A fund whose CNPJ and name pass and that changed is stored; a new one gets its key.
void TFrBeneficiarios::SalvaFundo()
{
    TContribuinte& fundo = FAnexo->GetDeclarante();
    if (!fundo.GetAlterado() || fundo.Verifica() != 0)
        return;
    FPruv->GetColecaoAnexo().Salva(*FAnexo);
    fundo.SetAlterado(false);
    FAnexo->Copia(*FCopiaAnexo);
    // The items are saved under the fund as stored, its new name included (their summary row
    // carries it); the owner's summary stays the one its items keep.
    if (FDonoAnexo->GetChave() == FAnexo->GetChave())
        fundo.AtribuiA(FDonoAnexo->GetDeclarante());
    TbAnexo->Refresh();
    if (!FAnexo->GetChave().isEmpty())
        TbAnexo->Locate(QStringLiteral("ANEXO_DK"), {FAnexo->GetChave()}, 0);
    // A fund just stored takes its items at once.
    TrocaFundo();
    AtualizaBotoes();
    AtualizaBotoesAnexo();
}

void TFrBeneficiarios::BbAddFundoClick()
{
    if (!GuardaDigitado(true))
        return;
    DblcFundos->SetStyle(TComboBoxStyle::csDropDown);
    FAnexo->Copia(*FCopiaAnexo);
    FAnexo->Limpa();
    DblcFundos->SetText(QString());
    TrocaFundo();
    AtualizaBotoes();
    FocaPrimeiro(DblcFundos, nullptr, nullptr, nullptr);
}

void TFrBeneficiarios::BbDeleteFundoClick()
{
    // The item's edits are stored first; the fund's are what the deletion drops.
    if (!GuardaDigitado(false))
        return;
    if (FAnexo->GetChave().isEmpty()) {
        BbDesfazerFundoClick();
        return;
    }
    const QString parametro = FAnexo->GetDeclarante().Nome().GetTexto() + QStringLiteral(" ( CNPJ ")
        + FAnexo->GetDeclarante().GetNiFormatado() + QStringLiteral(" )");
    if (TErro(CodigoMensagem::ConfirmaExclusaoFundo, parametro, TipoDialogo::Confirmacao, Botao::Sim | Botao::Nao, 0)
            .Exibe()
        == Resposta::Sim) {
        FechaItens();
        FPruv->GetColecaoAnexo().Exclui(*FAnexo);
        TbAnexo->Refresh();
        TbAnexo->First();
        CarregaFundoDaLista();
        FDonoAnexo->Limpa();
        FDonoAnexo->SetChave(QStringLiteral("-"));   // forces the switch
        TrocaFundo();
        AtualizaBotoesAnexo();
    }
    FocaPrimeiro(DblcFundos, nullptr, nullptr, nullptr);
}

void TFrBeneficiarios::BbDesfazerFundoClick()
{
    // The item's edits are stored under the fund as stored; the fund's are what is undone.
    if (!GuardaDigitado(false))
        return;
    if (!TbAnexo->IsEmpty())
        DblcFundos->SetStyle(TComboBoxStyle::csDropDownList);
    FCopiaAnexo->Copia(*FAnexo);
    DblcFundos->SetText(FAnexo->GetDeclarante().GetNiFormatado());
    TrocaFundo();
    RefazTela();
    FocaPrimeiro(DblcFundos, nullptr, nullptr, nullptr);
}
