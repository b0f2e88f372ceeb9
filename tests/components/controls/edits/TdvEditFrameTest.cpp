#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "components/controls/GradeDeTeste.h"
#include "components/controls/combos/TdvButtonEffects.h"
#include "components/controls/edits/TdvDBCustomEdit.h"
#include "components/controls/edits/TdvEditFrame.h"
#include "platform/widgets/controls/TSpeedButton.h"

namespace {

QFont FonteDeTeste()
{
    QFont fonte(QStringLiteral("Liberation Sans"));
    fonte.setPixelSize(11);
    return fonte;
}

constexpr unsigned Todos = efLeftBorder | efTopBorder | efRightBorder | efBottomBorder;

}   // namespace

TEST(TdvEditFrame, InsetsLeaveRoomForTheFocusedEdges)
{
    using S = TdvEditFocusStyle;
    const struct {
        S estilo;
        unsigned lados;
        TRect esperado;
    } casos[] = {
        {S::efsFrameBox, Todos, {2, 2, 99, 21}},
        {S::efsFrameBox, efLeftBorder, {2, 2, 100, 21}},
        {S::efsFrameSingle, Todos, {2, 2, 100, 21}},
        {S::efsFrameSunken, Todos, {3, 3, 98, 21}},
        {S::efsFrameBump, Todos, {3, 3, 98, 21}},
        {S::efsFrameRaised, Todos, {2, 3, 98, 21}},
        {S::efsFrameEtched, efTopBorder | efBottomBorder, {1, 3, 98, 21}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(static_cast<int>(c.estilo));
        EXPECT_EQ(TdvEditFrame::Insets({0, 0, 100, 21}, c.lados, c.estilo), c.esperado);
    }
}

TEST(TdvEditFrame, TextOffsetsFollowTheBordersAndAddTheExtraOffsets)
{
    TdvEditFrame frame(nullptr);
    int x = 0;
    int y = 0;
    frame.GetTextOffsets(x, y, false);   // only a bottom line
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 2);
    frame.GetTextOffsets(x, y, true);   // thin box on every side
    EXPECT_EQ(x, 2);
    EXPECT_EQ(y, 2);
    frame.SetFocusStyle(TdvEditFocusStyle::efsFrameSunken);
    frame.NonFocusTextOffsetX = 4;
    frame.NonFocusTextOffsetY = -1;
    frame.GetTextOffsets(x, y, true);
    EXPECT_EQ(x, 3 + 4);
    EXPECT_EQ(y, 3 - 1);
}

TEST(TdvEditFrame, EnablingTakesTheBorderAwayAndFitsTheHeightToTheFont)
{
    TdvDBCustomEdit edit;
    edit.setFont(FonteDeTeste());
    const int fonte = QFontMetrics(FonteDeTeste()).height();
    edit.Frame().AutoSizeHeightAdjust = 3;
    edit.Frame().SetEnabled(true);
    EXPECT_EQ(edit.BorderStyle(), TBorderStyle::bsNone);
    EXPECT_EQ(edit.height(), fonte + 6 + 3);
    EXPECT_EQ(TdvEditFrame::AutoHeight(13, 13, true, true, false, false, 3), 13 + 8);
    EXPECT_EQ(TdvEditFrame::AutoHeight(13, 16, false, true, false, false, 0), 13 + 13 / 4 + 4);
}

TEST(TdvEditFrame, AssigningFromADisabledFrameCopiesOnlyEnabledAndTransparent)
{
    TdvEditFrame origem(nullptr);
    origem.SetTransparent(true);
    origem.SetFocusBorders(efBottomBorder);
    origem.AutoSizeHeightAdjust = 5;
    TdvEditFrame destino(nullptr);
    destino.Assign(origem);
    EXPECT_TRUE(destino.Transparent());
    EXPECT_EQ(destino.FocusBorders(), Todos);
    EXPECT_EQ(destino.AutoSizeHeightAdjust, 0);

    origem.SetEnabled(true);
    destino.Assign(origem);
    EXPECT_TRUE(destino.Enabled());
    EXPECT_EQ(destino.FocusBorders(), efBottomBorder);
    EXPECT_EQ(destino.AutoSizeHeightAdjust, 5);
}

TEST(TdvEditFrame, UnfocusedShowsOnlyABottomLineAndFocusedAThinBox)
{
    QWidget controle;
    controle.resize(20, 10);
    QPalette pal;
    pal.setColor(QPalette::WindowText, Qt::black);
    pal.setColor(QPalette::Base, Qt::white);
    controle.setPalette(pal);
    TdvEditFrame frame(&controle);
    frame.SetEnabled(true);
    const QColor fundo(10, 20, 30);
    auto desenha = [&](bool focado) {
        QImage img(20, 10, QImage::Format_RGB32);
        img.fill(fundo);
        QPainter p(&img);
        frame.DrawFrame(p, focado);
        return img;
    };
    const QImage sem = desenha(false);
    EXPECT_EQ(sem.pixelColor(10, 9), Qt::black);
    EXPECT_EQ(sem.pixelColor(10, 8), Qt::white);
    EXPECT_EQ(sem.pixelColor(0, 4), fundo);
    EXPECT_EQ(sem.pixelColor(10, 0), fundo);
    EXPECT_EQ(sem.pixelColor(19, 4), fundo);
    const QImage com = desenha(true);
    for (const QPoint borda : {QPoint(0, 4), QPoint(10, 0), QPoint(19, 4), QPoint(10, 9)})
        EXPECT_EQ(com.pixelColor(borda), Qt::black);
    EXPECT_EQ(com.pixelColor(1, 4), Qt::white);
}

TEST(TdvEditFrame, TransparentWithoutARightBorderPullsTheRightEdgeIn)
{
    EXPECT_EQ(TdvEditFrame::FrameRect({0, 0, 50, 20}, efBottomBorder, true), (TRect{0, 0, 48, 20}));
    EXPECT_EQ(TdvEditFrame::FrameRect({0, 0, 50, 20}, efBottomBorder, false), (TRect{0, 0, 50, 20}));
    EXPECT_EQ(TdvEditFrame::FrameRect({0, 0, 50, 20}, Todos, true), (TRect{0, 0, 50, 20}));
}

TEST(TdvEditFrame, AnEditInAGridNeverDrawsAFrameNorTurnsTransparent)
{
    GradeDeTeste grade;
    TdvDBCustomEdit edit(&grade);
    edit.Frame().SetEnabled(true);
    edit.Frame().SetTransparent(true);
    edit.EndLoading();
    EXPECT_FALSE(edit.Frame().IsFrameEffective());
    EXPECT_NE(edit.palette().color(QPalette::Base).alpha(), 0);

    QWidget form;
    TdvDBCustomEdit livre(&form);
    livre.Frame().SetEnabled(true);
    livre.Frame().SetTransparent(true);
    livre.EndLoading();
    EXPECT_TRUE(livre.Frame().IsFrameEffective());
    EXPECT_EQ(livre.palette().color(QPalette::Base).alpha(), 0);
}

namespace {

class EfeitosContados final : public TdvButtonEffects {
public:
    using TdvButtonEffects::TdvButtonEffects;
    int atualizacoes = 0;

protected:
    void Refresh() override { ++atualizacoes; }
};

}   // namespace

TEST(TdvButtonEffects, EitherLookMakesTheButtonFlatAndRepeatingOneDoesNothing)
{
    QWidget controle;
    TSpeedButton botao(&controle);
    EfeitosContados efeitos(&controle, &botao);
    efeitos.SetFlat(true);
    EXPECT_TRUE(botao.Flat());
    EXPECT_FALSE(botao.Transparent());
    efeitos.SetTransparent(true);
    EXPECT_TRUE(botao.Transparent());
    efeitos.SetFlat(false);
    EXPECT_TRUE(botao.Flat());   // still transparent
    efeitos.SetFlat(false);
    EXPECT_EQ(efeitos.atualizacoes, 3);
}
