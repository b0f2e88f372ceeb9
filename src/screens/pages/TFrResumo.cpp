#include "screens/pages/TFrResumo.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>

#include "components/controls/datetime/TdvDBDateTimePicker.h"
#include "components/controls/grid/TdvDBGrid.h"
#include "components/data/common/dvSystem.h"
#include "components/data/datasets/TdvTable.h"
#include "model/storage/OperacoesTabela.h"
#include "model/codes/RegrasDosCodigos.h"
#include "model/codes/TColecaoCodigoRetencao.h"
#include "model/items/TColecaoPruvItem.h"
#include "model/declaration/TColecaoResumo.h"
#include "model/people/TNi.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/datasets/TField.h"
#include "platform/widgets/keyboard/SomenteLeitura.h"
#include "model/declaration/TPruv.h"
#include "model/declaration/TResumo.h"
#include "shell/common/ContextoAjuda.h"
#include "model/values/TDragMonetario.h"
#include "screens/fields/TArrasteMonetario.h"
#include "screens/edits/TPruvEdit.h"
#include "shell/common/ExcecaoAplicacao.h"
#include "platform/widgets/controls/TPageControl.h"

namespace {

// The money columns of the detail grid, each shown through a text of its own.
constexpr const char* ColunasValores[] = {"TOT_REND",       "TOT_DED",         "TOT_IRRF",
                                          "TOT_ANO_ATU",    "TOT_ANO_ANT",     "TOT_REND_SUBJUD",
                                          "TOT_DED_SUBJUD", "TOT_IRRF_SUBJUD", "TOT_DEP_SUBJUD"};
constexpr const char* TitulosValores[] = {"Total de~Rendimentos",
                                          "Total de~Deduções",
                                          "Total de~Imposto Retido",
                                          "Total de Imposto~Compensado por~Decisão Judicial~(Ano Calendário)",
                                          "Total de Imposto~Compensado por~Decisão Judicial~(Anos Anteriores)",
                                          "Total de~Rendimentos com~Exigibilidade~Suspensa",
                                          "Total de~Deduções com~Exigibilidade~Suspensa",
                                          "Total de~IRRF com~Exigibilidade~Suspensa",
                                          "Total de~Depósito Judicial"};
constexpr int PrimeiraJudicial = 3;   // the six after it are hidden without judicial values
// A total as shown: the summary adds amounts past the largest one an item's month may hold, up
// to what 64 bits hold ("922.337.203.685.477,58").
constexpr int TamanhoTotal = 22;
// Characters of a total's column: a year of thirteen months at that amount shows whole.
constexpr int LarguraTotal = 20;

QString Exibido(const char* coluna)
{
    return QLatin1String(coluna) + QStringLiteral("_EXIB");
}

constexpr int AjudaResumo = 50200;
constexpr int AjudaGravacao = 12030;
constexpr const char* DicaInclui =
    "Inclui os valores de %1 de 13º salário e exclui os valores de %1 pagos cuja tributação está com "
    "exigibilidade suspensa";

TPruvEdit* Total(QGroupBox* grupo, const char* nome, const char* rotulo, int x, int y, int largura = 130)
{
    auto* r = new QLabel(QString::fromUtf8(rotulo), grupo);
    r->move(x, y);
    r->adjustSize();
    auto* edit = new TPruvEdit(grupo);
    edit->setObjectName(QLatin1String(nome));
    edit->SetTipoDeDado(TTipoDeDado::Numerico);
    edit->SetReadOnly(true);
    edit->SetAlignment(Qt::AlignRight);
    edit->setGeometry(x, y + 16, largura, 21);
    return edit;
}

QGroupBox* Grupo(QWidget* pai, const char* nome, const char* titulo, const QRect& r)
{
    auto* g = new QGroupBox(QString::fromUtf8(titulo), pai);
    g->setObjectName(QLatin1String(nome));
    g->setGeometry(r);
    return g;
}

}   // namespace

TFrResumo::TFrResumo(QWidget* pai)
    : QWidget(pai)
{
    setMinimumSize(628, 340);
    DefineHelpContext(*this, AjudaResumo);
    PgResumo = new TPageControl(this);
    PgResumo->setObjectName(QStringLiteral("PgResumo"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PgResumo);
    auto* geral = new QWidget(PgResumo);
    TsGeral = geral;
    geral->setObjectName(QStringLiteral("TsGeral"));
    PgResumo->addTab(geral, QStringLiteral("&Geral"));
    TsDiscriminado = new QWidget(PgResumo);
    TsDiscriminado->setObjectName(QStringLiteral("TsDiscriminado"));
    auto* nota = new QLabel(
        QStringLiteral("Na primeira linha, dados do Administrador, nas demais, dos Fundos ou Clubes de Investimento"),
        TsDiscriminado);
    nota->move(8, 8);
    PgResumo->addTab(TsDiscriminado, QStringLiteral("Discri&minado"));

    GbGravacao = Grupo(geral, "GbGravacao", "Informações sobre a gravação", QRect(6, 4, 608, 60));
    DefineHelpContext(*GbGravacao, AjudaGravacao);
    auto* rotuloData = new QLabel(QStringLiteral("Data de gravação"), GbGravacao);
    rotuloData->move(10, 18);
    rotuloData->adjustSize();
    DtpDataGera = new TdvDBDateTimePicker(GbGravacao);
    DtpDataGera->setObjectName(QStringLiteral("DtpDataGera"));
    DtpDataGera->setGeometry(10, 34, 110, 21);
    DtpDataGera->SetEpoch(1950);
    double minima = 0;
    dvTryEncodeDate(2000, 12, 1, minima);
    DtpDataGera->SetMinDate(minima);
    DtpDataGera->setToolTip(QStringLiteral("Data da última gravação da declaração"));
    DtpDataGera->SetReadOnly(true);   // the writer's date, shown only
    MostraSomenteLeitura(*DtpDataGera, true);
    DtpDataGera->setEnabled(false);
    DeQtdVolumes = Total(GbGravacao, "DeQtdVolumes", "Quantidade de volumes", 160, 18, 80);
    DeQtdVolumes->setToolTip(QStringLiteral("Quantidade de volumes gravados"));

    GbTotais = Grupo(geral, "GbTotais", "Totais", QRect(6, 68, 608, 60));
    DeTotBen = Total(GbTotais, "DeTotBen", "Número de Beneficiários", 10, 16);
    DeTotBen->setToolTip(QStringLiteral("Total de beneficiários/código"));
    DeTotRend = Total(GbTotais, "DeTotRend", "Rendimentos Tributáveis", 160, 16);
    DeTotRend->setToolTip(QString::fromUtf8(DicaInclui).arg(QStringLiteral("rendimentos")));
    DeTotDed = Total(GbTotais, "DeTotDed", "Deduções", 310, 16);
    DeTotDed->setToolTip(QString::fromUtf8(DicaInclui).arg(QStringLiteral("deduções")));
    DeTotIrrf = Total(GbTotais, "DeTotIrrf", "Imposto Retido na Fonte", 460, 16);
    DeTotIrrf->setToolTip(QString::fromUtf8(DicaInclui).arg(QStringLiteral("imposto")));

    GbSubJud = Grupo(geral, "GbSubJud", "Totais referentes à tributação com exigibilidade suspensa",
                     QRect(6, 132, 608, 60));
    DeTotRendSubJud = Total(GbSubJud, "DeTotRendSubJud", "Rendimentos tributáveis", 10, 16);
    DeTotDedSubJud = Total(GbSubJud, "DeTotDedSubJud", "Deduções", 160, 16);
    DeTotIrrfSubJud = Total(GbSubJud, "DeTotIrrfSubJud", "IRRF", 310, 16);
    DeTotDepSubJud = Total(GbSubJud, "DeTotDepSubJud", "Depósito judicial", 460, 16);
    for (TPruvEdit* e : {DeTotRendSubJud, DeTotDedSubJud, DeTotIrrfSubJud, DeTotDepSubJud})
        e->setToolTip(
            QStringLiteral("Totais referentes à tributação com exigibilidade suspensa, inclusive 13º salário"));
    GbCompensacao = Grupo(geral, "GbCompensacao", "Compensação de imposto por decisão judicial",
                          QRect(6, 196, 608, 60));
    DeTotAnoAtual = Total(GbCompensacao, "DeTotAnoAtual", "Ano calendário", 10, 16);
    DeTotAnosAnteriores = Total(GbCompensacao, "DeTotAnosAnteriores", "Anos anteriores", 160, 16);

    GbCodigos = Grupo(geral, "GbCodigos", "Códigos constantes da Declaração", QRect(6, 260, 608, 50));
    dvDBGrid2 = new TdvDBGrid(GbCodigos);
    dvDBGrid2->setObjectName(QStringLiteral("dvDBGrid2"));
    dvDBGrid2->setGeometry(8, 16, 592, 30);
    dvDBGrid2->SetOptions(dgIndicator | dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection);   // no titles
    dvDBGrid2->SetReadOnly(true);
    dvDBGrid2->SetUseTFields(false);
    dvDBGrid2->SetKeyOptions(0);
    dvDBGrid2->SetSelected({QStringLiteral("COD_RETENCAO\t4\tCódigo"), QStringLiteral("RESUMO\t150\tDescrição")});
    dvDBGrid2->setToolTip(
        QStringLiteral("Códigos constantes da declaração, inclusive nos Fundos ou Clubes de Investimentos"));
    TbCodRet = CriaTabela(TColecaoCodigoRetencao::NomeArquivo());
    TbCodRet->OnFilterRecord = [this](TDataSet*, bool& aceita) { FiltraCodigo(aceita); };
    TbPruvItem = CriaTabela(TColecaoPruvItem::NomeArquivo());
    DsCodRet = std::make_unique<TDataSource>();
    DsCodRet->SetDataSet(TbCodRet.get());

    DbgDiscriminado = new TdvDBGrid(TsDiscriminado);
    DbgDiscriminado->setObjectName(QStringLiteral("DbgDiscriminado"));
    DbgDiscriminado->setGeometry(4, 28, 614, 280);
    DbgDiscriminado->SetReadOnly(true);
    DbgDiscriminado->SetUseTFields(false);
    DbgDiscriminado->SetKeyOptions(0);
    DbgDiscriminado->SetTitleLines(4);
    DbgDiscriminado->SetTitleAlignment(taCenter);
    DbgDiscriminado->SetTitleFont(TFont{DbgDiscriminado->font(), Qt::blue});
    DbgDiscriminado->OnMouseDown = [this](TCustomGrid*, Qt::MouseButton botao, Qt::KeyboardModifiers, int x, int y) {
        if (botao == Qt::LeftButton)
            PressionaDetalhe(x, y);
    };
    DbgDiscriminado->OnMouseMove = [this](TCustomGrid*, Qt::KeyboardModifiers, int x, int y) {
        if (FArraste.Partiu({x, y}, DbgDiscriminado->CurrentButtons()))
            ExcecaoAplicacao::Protege([this] {
                TArrasteMonetario::Inicia(std::make_unique<TDragMonetario>(FValorArrastado), DbgDiscriminado,
                                          TArrasteMonetario::Pressionado);
            });
    };
    DbgDiscriminado->OnMouseUp = [this](TCustomGrid*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        FArraste.Solta();
    };
    geral->installEventFilter(this);
    TsDiscriminado->installEventFilter(this);
    TbDetResumo = CriaTabela(TColecaoResumo::NomeArquivo());
    TbDetResumo->AddField(std::make_unique<TField>(ftString, QStringLiteral("CPF_CNPJ"), 18, fkCalculated));
    // The counts and amounts, right-aligned as numbers are.
    TbDetResumo->AddField(std::make_unique<TField>(ftString, QStringLiteral("TOT_BENEF_EXIB"), 14, fkCalculated))
        ->SetAlignment(taRightJustify);
    for (const char* coluna : ColunasValores)
        TbDetResumo->AddField(std::make_unique<TField>(ftString, Exibido(coluna), TamanhoTotal, fkCalculated))
            ->SetAlignment(taRightJustify);
    TdvTable* detalhe = TbDetResumo.get();
    TbDetResumo->OnCalcFields = [detalhe](TDataSet*) {
        QString numero = detalhe->FieldByName(QStringLiteral("NR_PF_PJ"))->AsString().trimmed();
        numero += CalculaDVCnpj(numero);
        FormataNi(numero);
        detalhe->FieldByName(QStringLiteral("CPF_CNPJ"))->SetAsString(numero);
        TMonetario valor;
        valor.SetValor(detalhe->FieldByName(QStringLiteral("TOT_BENEF"))->AsFixed4());
        QString beneficiarios = valor.GetTextoFormatado();
        beneficiarios.chop(3);   // a count: no decimals
        detalhe->FieldByName(QStringLiteral("TOT_BENEF_EXIB"))->SetAsString(beneficiarios);
        for (const char* coluna : ColunasValores) {
            valor.SetValor(detalhe->FieldByName(QLatin1String(coluna))->AsFixed4());
            detalhe->FieldByName(Exibido(coluna))->SetAsString(valor.GetTextoFormatado());
        }
    };
    DsDetResumo = std::make_unique<TDataSource>();
    DsDetResumo->SetDataSet(TbDetResumo.get());
}

void TFrResumo::PressionaDetalhe(int x, int y)
{
    // The press has made the cell's row the current record.
    const TGridCoord celula = DbgDiscriminado->MouseCoord(x, y);
    const int coluna = celula.X - DbgDiscriminado->IndicatorOffset();
    TField* campo = celula.Y >= DbgDiscriminado->TitleOffset() && coluna >= 0 && coluna < DbgDiscriminado->FieldCount()
        ? DbgDiscriminado->Fields(coluna)
        : nullptr;
    const bool monetario = campo
        && std::any_of(std::begin(ColunasValores), std::end(ColunasValores),
                       [campo](const char* c) { return campo->FieldName() == Exibido(c); });
    FValorArrastado = monetario ? campo->AsString() : QString();
    FArraste.Pressiona({x, y}, monetario);
}

bool TFrResumo::VarianteExcluida(const QString& Codigo, const QString& Anexo, const QString& Ano)
{
    return RegrasDosCodigos::VarianteAnexoExcluida(Codigo, Anexo, Ano);
}

// A code is listed when the declaration (or, for a fund administrator, one of its funds) has
// an item under it.
void TFrResumo::FiltraCodigo(bool& Aceita)
{
    Aceita = false;
    if (!FPruv || !TbPruvItem->Active())
        return;
    const QString codigo = TbCodRet->FieldByName(QStringLiteral("COD_RETENCAO"))->AsString();
    if (VarianteExcluida(codigo, TbCodRet->FieldByName(QStringLiteral("ANEXO"))->AsString(), FPruv->GetAno()))
        return;
    const QString chave = FPruv->GetChave();
    if (FPruv->GetNatureza().GetCodigo() == TPruv::CodigoAdministradora)
        Aceita = TbPruvItem->Locate(QStringLiteral("E_PRUV_DK;TRIB_TRIBU"), {chave, codigo}, 0);
    else
        Aceita = TbPruvItem->Locate(QStringLiteral("IN_ANEXO;E_PRUV/ANEXO_DK;TRIB_TRIBU"),
                                    {QStringLiteral("0"), chave, codigo}, 0);
}

void TFrResumo::AbreDetalhe()
{
    if (!FPruv)
        return;
    AbreTabela(*TbDetResumo);
    TColecaoResumo::Filtra(*FPruv, *TbDetResumo);
    DbgDiscriminado->SetDataSource(DsDetResumo.get());
}

bool TFrResumo::eventFilter(QObject* objeto, QEvent* evento)
{
    if (evento->type() == QEvent::Resize && (objeto == TsGeral || objeto == TsDiscriminado))
        PosicionaGrades();
    return QWidget::eventFilter(objeto, evento);
}

// The codes box moves up into the place of the judicial boxes when they are hidden, and reaches
// down to the page's bottom; the detail grid fills its page: both grow with the window.
void TFrResumo::PosicionaGrades()
{
    const int topo = GbSubJud->isHidden() ? 132 : 260;
    const int largura = std::max(608, TsGeral->width() - 12);
    GbCodigos->setGeometry(6, topo, largura, std::max(50, TsGeral->height() - topo - 4));
    dvDBGrid2->setGeometry(8, 16, largura - 16, GbCodigos->height() - 22);
    DbgDiscriminado->setGeometry(4, 28, std::max(614, TsDiscriminado->width() - 8),
                                 std::max(280, TsDiscriminado->height() - 32));
}

TFrResumo::~TFrResumo()
{
    Fecha();
}

std::array<TPruvEdit*, 11> TFrResumo::Edits() const
{
    return {DeQtdVolumes,        DeTotBen,        DeTotRend,      DeTotDed,        DeTotIrrf,     DeTotAnoAtual,
            DeTotAnosAnteriores, DeTotRendSubJud, DeTotDedSubJud, DeTotIrrfSubJud, DeTotDepSubJud};
}

void TFrResumo::Abre()
{
    if (!FPruv)
        return;
    TResumo& resumo = FPruv->GetResumo();
    DeQtdVolumes->SetDado(&FPruv->NrDisquetes());
    // The number of beneficiaries, then the nine totals in the summary's order.
    TPruvEdit* const totais[] = {DeTotBen,        DeTotRend,           DeTotDed,        DeTotIrrf,
                                 DeTotAnoAtual,   DeTotAnosAnteriores, DeTotRendSubJud, DeTotDedSubJud,
                                 DeTotIrrfSubJud, DeTotDepSubJud};
    for (int i = 0; i < TResumo::QuantidadeValores; ++i)
        totais[i]->SetDado(&resumo.Valor(i));
    if (FMostraAnexos)
        AbreDetalhe();
    // In the order of the columns each code is looked for by (a fund administrator's by the
    // declaration's key, its funds' items included): the first item of a code is then one seek,
    // not every item of the code sorted, nor a walk over the declaration for a code it lacks.
    TbPruvItem->SetIndexName(FPruv->GetNatureza().GetCodigo() == TPruv::CodigoAdministradora
                                 ? QStringLiteral("ICodBenefPruv")
                                 : QStringLiteral("IChavePruvItem"));
    AbreTabela(*TbPruvItem);
    AbreTabela(*TbCodRet);
    TColecaoCodigoRetencao::FiltraAnexo(*FPruv, *TbCodRet);
    TbCodRet->SetFiltered(true);
    dvDBGrid2->SetDataSource(DsCodRet.get());
}

void TFrResumo::SetMostraAnexos(bool Mostra)
{
    FMostraAnexos = Mostra;
    if (Mostra && FPruv && TbCodRet->Active())
        AbreDetalhe();
}

void TFrResumo::Fecha()
{
    for (TPruvEdit* e : Edits())
        e->SetDado(nullptr);
    dvDBGrid2->SetDataSource(nullptr);
    DbgDiscriminado->SetDataSource(nullptr);
    for (TdvTable* tabela : {TbCodRet.get(), TbPruvItem.get(), TbDetResumo.get()})
        FechaTabela(*tabela);
    // The main window frees the declaration next: entering the page no longer reads it.
    FPruv = nullptr;
}

void TFrResumo::Entra()
{
    if (!FPruv)
        return;
    // A declaration never written shows no date, never the one of the declaration open before.
    const double gravadaEm = FPruv->GetDataGeracao();
    const bool gravada = gravadaEm > 0;
    DtpDataGera->setVisible(true);
    DtpDataGera->SetDate(gravada ? gravadaEm : 0);
    DtpDataGera->SetShowButton(gravada);
    DtpDataGera->setEnabled(gravada);
    PgResumo->setTabEnabled(1, FMostraAnexos);
    PgResumo->setTabVisible(1, FMostraAnexos);
    PgResumo->tabBar()->setVisible(FMostraAnexos);
    const bool judicial = FPruv->GetResumo().PossuiSubJudice();
    GbSubJud->setVisible(judicial);
    GbCompensacao->setVisible(judicial);
    PosicionaGrades();
    QStringList colunas{QStringLiteral("CPF_CNPJ\t18\tFonte~Pagadora"),
                        QStringLiteral("TOT_BENEF_EXIB\t10\tTotal de~Beneficiários")};
    for (int i = 0; i < int(std::size(ColunasValores)); ++i)
        if (judicial || i < PrimeiraJudicial || i >= PrimeiraJudicial + 6)
            colunas << Exibido(ColunasValores[i]) + QStringLiteral("\t%1\t").arg(LarguraTotal)
                    + QString::fromUtf8(TitulosValores[i]);
    colunas << QStringLiteral("NM_EMPR\t60\tNome Empresarial");
    DbgDiscriminado->SetSelected(colunas);
    for (TdvTable* tabela : {TbPruvItem.get(), TbCodRet.get(), TbDetResumo.get()})
        if (tabela->Active())
            tabela->Refresh();
    for (TPruvEdit* e : Edits())
        e->update();
}
