#include "screens/TFrResumo.h"

#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QTabBar>

#include "components/controls/TdvDBDateTimePicker.h"
#include "model/TPruv.h"
#include "model/TResumo.h"
#include "model/gui/UtilJanelas.h"
#include "screens/TPruvEdit.h"

namespace {

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
    edit->setFocusPolicy(Qt::ClickFocus);
    QPalette face = edit->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    edit->setPalette(face);
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

}  // namespace

TFrResumo::TFrResumo(QWidget* pai) : QWidget(pai)
{
    setMinimumSize(628, 340);
    DefineHelpContext(*this, AjudaResumo);
    PgResumo = new QTabWidget(this);
    PgResumo->setObjectName(QStringLiteral("PgResumo"));
    PgResumo->setGeometry(0, 0, 628, 340);
    auto* geral = new QWidget(PgResumo);
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
    auto* data = new QLabel(QStringLiteral("Data de gravação"), GbGravacao);
    data->move(10, 18);
    data->adjustSize();
    DtpDataGera = new TdvDBDateTimePicker(GbGravacao);
    DtpDataGera->setObjectName(QStringLiteral("DtpDataGera"));
    DtpDataGera->setGeometry(10, 34, 110, 21);
    DtpDataGera->SetEpoch(1950);
    DtpDataGera->setToolTip(QStringLiteral("Data da última gravação da declaração"));
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
}

TFrResumo::~TFrResumo()
{
    Fecha();
}

std::array<TPruvEdit*, 11> TFrResumo::Edits() const
{
    return {DeQtdVolumes,  DeTotBen,           DeTotRend,       DeTotDed,       DeTotIrrf,      DeTotAnoAtual,
            DeTotAnosAnteriores, DeTotRendSubJud, DeTotDedSubJud, DeTotIrrfSubJud, DeTotDepSubJud};
}

void TFrResumo::Abre()
{
    if (!FPruv)
        return;
    TResumo& resumo = FPruv->GetResumo();
    DeQtdVolumes->SetDado(&FPruv->NrDisquetes());
    // The number of beneficiaries, then the nine totals in the summary's order.
    TPruvEdit* const totais[] = {DeTotBen,        DeTotRend,      DeTotDed,        DeTotIrrf,     DeTotAnoAtual,
                                 DeTotAnosAnteriores, DeTotRendSubJud, DeTotDedSubJud, DeTotIrrfSubJud,
                                 DeTotDepSubJud};
    for (int i = 0; i < TResumo::QuantidadeValores; ++i)
        totais[i]->SetDado(&resumo.Valor(i));
}

void TFrResumo::Fecha()
{
    for (TPruvEdit* e : Edits())
        e->SetDado(nullptr);
}

void TFrResumo::Entra()
{
    if (!FPruv)
        return;
    const double data = FPruv->GetDataGeracao();
    DtpDataGera->setVisible(true);
    if (data > 0)
        DtpDataGera->SetDate(data);
    DtpDataGera->setEnabled(data > 0);
    PgResumo->setTabEnabled(1, FMostraAnexos);
    PgResumo->setTabVisible(1, FMostraAnexos);
    PgResumo->tabBar()->setVisible(FMostraAnexos);
    const bool judicial = FPruv->GetResumo().PossuiSubJudice();
    GbSubJud->setVisible(judicial);
    GbCompensacao->setVisible(judicial);
    for (TPruvEdit* e : Edits())
        e->update();
}
