#include <QTest>
#include <gtest/gtest.h>

#include "components/controls/GradeDeTeste.h"
#include "components/controls/edits/TdvDBCustomEdit.h"
#include "platform/widgets/TecladoDeTeste.h"

using namespace TecladoDeTeste;

namespace {

// An edit as the cell editor of a grid.
class EditNaGrade : public ::testing::Test {
protected:
    void SetUp() override
    {
        grade.resize(300, 100);
        edit = new TdvDBCustomEdit(&grade);
        edit->setGeometry(10, 10, 120, 22);
        grade.show();
        grade.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&grade));
        edit->setFocus(Qt::TabFocusReason);
        edit->SetText(QStringLiteral("abc"));
        edit->SetSelStart(1);
    }

    GradeDeTeste grade;
    TdvDBCustomEdit* edit = nullptr;
};

}   // namespace

TEST_F(EditNaGrade, KeysThatMoveBetweenCellsGoToTheGrid)
{
    const struct {
        Qt::Key tecla;
        Qt::KeyboardModifiers mods;
        bool paraGrade;
    } casos[] = {
        {Qt::Key_Return, Qt::NoModifier, true}, {Qt::Key_Down, Qt::NoModifier, true},
        {Qt::Key_PageUp, Qt::NoModifier, true}, {Qt::Key_Down, Qt::AltModifier, false},
        {Qt::Key_Escape, Qt::NoModifier, true},   // the edit is not modified
        {Qt::Key_Left, Qt::NoModifier, false},    // the editor is not always shown
        {Qt::Key_Insert, Qt::NoModifier, true}, {Qt::Key_Insert, Qt::ShiftModifier, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.tecla);
        grade.teclas.clear();
        grade.informadas.clear();
        Tecla(c.tecla, c.mods);
        EXPECT_EQ(grade.teclas, c.paraGrade ? QList<int>{c.tecla} : QList<int>{});
        EXPECT_EQ(grade.informadas, c.paraGrade ? QList<int>{} : QList<int>{c.tecla});
    }
}

TEST_F(EditNaGrade, EscStaysWithAModifiedEditAndUndoesIt)
{
    Digita(QStringLiteral("x"));
    ASSERT_TRUE(edit->Modified());
    Tecla(Qt::Key_Escape);
    EXPECT_TRUE(grade.teclas.isEmpty());
    EXPECT_FALSE(edit->Modified());
}

TEST_F(EditNaGrade, WithTheEditorAlwaysShownTheArrowsLeaveAtTheEnds)
{
    grade.editorSempre = true;
    Tecla(Qt::Key_Left);
    EXPECT_TRUE(grade.teclas.isEmpty());
    EXPECT_EQ(edit->cursorPosition(), 0);
    Tecla(Qt::Key_Left);
    EXPECT_EQ(grade.teclas, QList<int>{Qt::Key_Left});
    Tecla(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(grade.teclas, (QList<int>{Qt::Key_Left, Qt::Key_Right}));
}

TEST_F(EditNaGrade, TabMovesBetweenCellsOnlyWhenTheGridTakesIt)
{
    grade.tabs = true;
    Tecla(Qt::Key_Tab);
    EXPECT_EQ(grade.teclas, QList<int>{Qt::Key_Tab});
    EXPECT_TRUE(edit->hasFocus());
}
