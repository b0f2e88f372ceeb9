#include <QApplication>
#include <QLineEdit>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

#include "components/controls/combos/TBtnWinControl.h"
#include "components/controls/combos/TdvComboButtonEffects.h"
#include "components/controls/combos/TdvComboDlgButton.h"
#include "components/controls/combos/TdvDBCustomCombo.h"
#include "platform/widgets/TecladoDeTeste.h"

using namespace TecladoDeTeste;

TEST(TdvDBCustomCombo, ButtonWidthZeroIsTheScrollBarsButAtLeastFifteen)
{
    TdvDBCustomCombo combo;
    const int barra = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    EXPECT_EQ(combo.EffectiveButtonWidth(), std::max(barra, 15));
    combo.SetButtonWidth(22);
    EXPECT_EQ(combo.EffectiveButtonWidth(), 22);
}

TEST(TdvDBCustomCombo, TheTextEndsBeforeTheButtonOrNearTheRightEdgeWithoutIt)
{
    TdvEditFrame frame(nullptr);
    const TdvComboLayout com = TdvDBCustomCombo::LayoutFor(116, 17, 16, false, true, true, frame);
    EXPECT_EQ(com.Host, (TRect{100, 0, 116, 17}));
    EXPECT_EQ(com.Button, (TRect{0, 0, 16, 17}));
    EXPECT_EQ(com.EditRect, (TRect{0, 0, 98, 18}));
    const TdvComboLayout sem = TdvDBCustomCombo::LayoutFor(116, 17, 16, false, true, false, frame);
    EXPECT_EQ(sem.EditRect.Right, 114);

    frame.SetEnabled(true);
    const TdvComboLayout plano = TdvDBCustomCombo::LayoutFor(120, 21, 16, true, false, true, frame);
    EXPECT_EQ(plano.Host, (TRect{102, 2, 118, 19}));
    EXPECT_EQ(plano.Button, (TRect{0, -1, 16, 17}));
    EXPECT_EQ(plano.EditRect, (TRect{2, 2, 99, 22}));
}

TEST(TdvDBCustomCombo, FlatDropDownButtonsShowTheSmallArrowGlyph)
{
    TdvDBCustomCombo combo;
    combo.SetButtonStyle(TdvComboButtonStyle::cbsDownArrow);
    EXPECT_TRUE(combo.Button()->Glyph().isNull());
    combo.ButtonEffects().SetFlat(true);
    EXPECT_FALSE(combo.Button()->Glyph().isNull());
    combo.SetButtonStyle(TdvComboButtonStyle::cbsEllipsis);
    EXPECT_TRUE(combo.Button()->Glyph().isNull());
    combo.SetButtonStyle(TdvComboButtonStyle::cbsDownArrow);
    EXPECT_FALSE(combo.Button()->Glyph().isNull());
}

namespace {

class ComboComBotao : public ::testing::Test {
protected:
    void SetUp() override
    {
        janela.resize(300, 100);
        combo = new TdvDBCustomCombo(&janela);
        combo->setGeometry(10, 10, 120, 22);
        combo->OnDlgButtonClick = [this](QObject*) {
            ++cliques;
            abertoDuranteOClique = combo->DroppedDown();
        };
        combo->OnKeyDown = [this](int&, Qt::KeyboardModifiers) { ++teclasNoEdit; };
        outro = new QLineEdit(&janela);
        outro->setGeometry(10, 50, 120, 22);
        janela.show();
        janela.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&janela));
    }

    QWidget janela;
    TdvDBCustomCombo* combo = nullptr;
    QLineEdit* outro = nullptr;
    int cliques = 0;
    int teclasNoEdit = 0;
    bool abertoDuranteOClique = false;
};

}   // namespace

TEST_F(ComboComBotao, AltDownDropsDownAndNeverReachesTheEdit)
{
    combo->setFocus(Qt::TabFocusReason);
    Tecla(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(cliques, 1);
    EXPECT_TRUE(abertoDuranteOClique);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(teclasNoEdit, 0);
    Tecla(Qt::Key_Down);
    EXPECT_EQ(teclasNoEdit, 1);
}

TEST_F(ComboComBotao, AClickOnTheButtonTakesTheFocusAndDropsDown)
{
    outro->setFocus();
    ASSERT_FALSE(combo->hasFocus());
    QTest::mouseClick(combo->Button(), Qt::LeftButton);
    EXPECT_TRUE(combo->hasFocus());
    EXPECT_EQ(cliques, 1);
}

TEST_F(ComboComBotao, WithoutAHandlerNothingDropsDown)
{
    combo->OnDlgButtonClick = nullptr;
    QTest::mouseClick(combo->Button(), Qt::LeftButton);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(cliques, 0);
}

TEST_F(ComboComBotao, HidingTheButtonWidensTheText)
{
    combo->EndLoading();
    const int comBotao = combo->EditRect().Right;
    combo->SetShowButton(false);
    EXPECT_EQ(combo->EditRect().Right, combo->ClientRect().width() - 2);
    EXPECT_GT(combo->EditRect().Right, comBotao);
    EXPECT_TRUE(combo->ButtonHost()->isHidden());
}
