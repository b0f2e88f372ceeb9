#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <map>
#include <utility>

#include "platform/widgets/TecladoDeTeste.h"
#include "platform/widgets/grid/EInvalidGridOperation.h"
#include "platform/widgets/grid/TCustomGrid.h"
#include "platform/widgets/grid/TInplaceEdit.h"

using namespace TecladoDeTeste;

namespace {

// Records the cells it is asked to draw and how the top-left moved.
class GradeQueAnota : public TCustomGrid {
public:
    GradeQueAnota()
    {
        SetColCount(6);
        SetRowCount(20);
        SetDefaultColWidth(50);
        SetDefaultRowHeight(20);
        resize(200 + 2 * frameWidth() + verticalScrollBar()->sizeHint().width(), 150);
    }

    std::map<std::pair<int, int>, std::pair<TRect, TGridDrawState>> desenhadas;
    int mudancasTopo = 0;
    std::vector<std::pair<int, int>> movidas;

    using TCustomGrid::MoveColRow;

protected:
    void DrawCell(int coluna, int linha, const TRect& r, TGridDrawState estado) override
    {
        desenhadas[{coluna, linha}] = {r, estado};
    }
    void TopLeftChanged() override { ++mudancasTopo; }
    void ColumnMoved(int de, int para) override { movidas.emplace_back(de, para); }
};

}   // namespace

TEST(TCustomGrid, DrawsEachCellShownOnceWithItsState)
{
    GradeQueAnota grade;
    grade.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grade));
    grade.SetOptions(grade.Options() | goRowSelect);
    grade.desenhadas.clear();
    (void)grade.grab();

    // 200 pixels of 50 plus a line: the fixed column and three more, the last one cut.
    for (int coluna = 0; coluna < 6; ++coluna)
        EXPECT_EQ(grade.desenhadas.count({coluna, 1}), coluna <= 3 ? 1u : 0u) << coluna;
    const auto& [fixa, estadoFixo] = grade.desenhadas.at({0, 2});
    EXPECT_EQ(fixa, (TRect{0, 42, 50, 62}));
    EXPECT_EQ(estadoFixo, gdFixed);
    EXPECT_EQ(grade.desenhadas.at({2, 1}).second, gdSelected);   // the current row
    EXPECT_EQ(grade.desenhadas.at({2, 2}).second, 0);
    EXPECT_EQ(grade.desenhadas.at({3, 1}).first, grade.CellRect(3, 1));
    EXPECT_EQ(grade.MouseCoord(60, 30), (TGridCoord{1, 1}));
}

TEST(TCustomGrid, BringsTheCurrentCellIntoViewAndFollowsItsBars)
{
    GradeQueAnota grade;
    grade.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grade));

    grade.SetCol(5);
    EXPECT_EQ(grade.LeftCol(), 4);   // columns 4 and 5 fill the 149 pixels after the fixed one
    EXPECT_EQ(grade.horizontalScrollBar()->value(), 4);
    EXPECT_EQ(grade.mudancasTopo, 1);

    grade.horizontalScrollBar()->setValue(1);
    EXPECT_EQ(grade.LeftCol(), 1);

    grade.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(grade.TopRow(), 2);
    EXPECT_EQ(grade.verticalScrollBar()->value(), 2);
    grade.verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(grade.TopRow(), grade.RowCount() - grade.VisibleRowCount());
}

TEST(TCustomGrid, MovesAColumnWithItsWidthAndRefusesFixedColumnsItHasNot)
{
    GradeQueAnota grade;
    grade.SetColWidths(2, 77);
    grade.MoveColRow(2, 1, true, false);
    grade.MoveColumn(2, 4);
    EXPECT_EQ(grade.ColWidths(4), 77);
    EXPECT_EQ(grade.ColWidths(2), 50);
    EXPECT_EQ(grade.Col(), 4);
    EXPECT_EQ(grade.movidas, (std::vector<std::pair<int, int>>{{2, 4}}));
    EXPECT_THROW(grade.SetFixedCols(6), EInvalidGridOperation);
    EXPECT_THROW(grade.MoveColRow(6, 1, true, true), EInvalidGridOperation);
}

namespace {

// A grid of texts edited in place, between two edits.
class GradeDeTextos : public TCustomGrid {
public:
    explicit GradeDeTextos(QWidget* pai)
        : TCustomGrid(pai)
    {
        SetColCount(6);
        SetRowCount(20);
        SetDefaultColWidth(50);
        SetDefaultRowHeight(20);
        SetOptions(Options() | goEditing | goTabs | goColSizing);
    }

    std::map<std::pair<int, int>, QString> textos;
    using TCustomGrid::TimedScroll;

protected:
    QString GetEditText(int coluna, int linha) override { return textos[{coluna, linha}]; }
    void SetEditText(int coluna, int linha, const QString& valor) override { textos[{coluna, linha}] = valor; }
};

class GradeEditavel : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* disposicao = new QVBoxLayout(&janela);
        disposicao->addWidget(antes);
        disposicao->addWidget(grade);
        disposicao->addWidget(depois);
        grade->OnEnter = [this](TCustomGrid*) { ++entradas; };
        grade->OnExit = [this](TCustomGrid*) { ++saidas; };
        janela.resize(340, 300);
        janela.show();
        janela.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&janela));
        grade->setFocus();
    }

    [[nodiscard]] bool Editando() const { return grade->InplaceEditor() && grade->InplaceEditor()->isVisible(); }
    [[nodiscard]] TGridCoord Atual() const { return {grade->Col(), grade->Row()}; }
    static QPoint Centro(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

    QWidget janela;
    QLineEdit* antes = new QLineEdit(&janela);
    GradeDeTextos* grade = new GradeDeTextos(&janela);
    QLineEdit* depois = new QLineEdit(&janela);
    int entradas = 0;
    int saidas = 0;
};

}   // namespace

TEST_F(GradeEditavel, TypingOpensTheEditorWhoseTextReachesTheCell)
{
    Digita(QStringLiteral("ab"));
    ASSERT_TRUE(Editando());
    EXPECT_EQ(QApplication::focusWidget(), grade->InplaceEditor());
    EXPECT_EQ(grade->InplaceEditor()->text(), QStringLiteral("ab"));
    EXPECT_EQ((grade->textos[{1, 1}]), QStringLiteral("ab"));

    Tecla(Qt::Key_Return);   // Enter switches the editor off and on
    EXPECT_FALSE(Editando());
    EXPECT_FALSE(grade->EditorMode());
    EXPECT_EQ(QApplication::focusWidget(), grade);
    Tecla(Qt::Key_F2);
    ASSERT_TRUE(Editando());
    EXPECT_FALSE(grade->InplaceEditor()->hasSelectedText());
    Tecla(Qt::Key_Right);   // inside the text
    EXPECT_EQ(Atual(), (TGridCoord{1, 1}));

    Tecla(Qt::Key_Down);
    EXPECT_FALSE(Editando());
    EXPECT_EQ(Atual(), (TGridCoord{1, 2}));
    Tecla(Qt::Key_Return);
    Digita(QStringLiteral("c"));
    Tecla(Qt::Key_Tab);
    EXPECT_EQ(Atual(), (TGridCoord{2, 2}));
    EXPECT_EQ((grade->textos[{1, 2}]), QStringLiteral("c"));
    EXPECT_EQ((grade->textos[{1, 1}]), QStringLiteral("ab"));
}

TEST_F(GradeEditavel, KeysMoveTheCurrentCellTabThroughItsStops)
{
    grade->SetTabStops(3, false);
    const int pagina = grade->VisibleRowCount();
    const struct {
        Qt::Key tecla;
        Qt::KeyboardModifiers mods;
        TGridCoord celula;
    } casos[] = {
        {Qt::Key_Up, Qt::NoModifier, {1, 1}},         {Qt::Key_Right, Qt::NoModifier, {2, 1}},
        {Qt::Key_Tab, Qt::NoModifier, {4, 1}},   // column 3 is no stop
        {Qt::Key_End, Qt::NoModifier, {5, 1}},        {Qt::Key_Tab, Qt::NoModifier, {1, 2}},
        {Qt::Key_Backtab, Qt::ShiftModifier, {5, 1}}, {Qt::Key_Home, Qt::NoModifier, {1, 1}},
        {Qt::Key_Down, Qt::NoModifier, {1, 2}},       {Qt::Key_PageDown, Qt::NoModifier, {1, 2 + pagina}},
        {Qt::Key_End, Qt::ControlModifier, {5, 19}},  {Qt::Key_Home, Qt::ControlModifier, {1, 1}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(QKeySequence(QKeyCombination(c.mods, c.tecla)).toString().toStdString());
        Tecla(c.tecla, c.mods);
        EXPECT_EQ(Atual(), c.celula);
    }
    EXPECT_FALSE(Editando());
}

TEST_F(GradeEditavel, WithoutGoTabsTabLeavesTheGridFromItsEditorToo)
{
    grade->SetOptions(grade->Options() & ~goTabs);
    ASSERT_EQ(entradas, 1);
    Digita(QStringLiteral("x"));
    ASSERT_TRUE(Editando());
    EXPECT_EQ(saidas, 0);    // from the grid into its editor is no exit
    Tecla(Qt::Key_Return);   // nor back
    EXPECT_EQ(QApplication::focusWidget(), grade);
    Tecla(Qt::Key_Return);
    ASSERT_TRUE(Editando());
    EXPECT_EQ(saidas, 0);
    EXPECT_EQ(entradas, 1);

    Tecla(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), depois);
    EXPECT_EQ(saidas, 1);
    EXPECT_FALSE(Editando());
    EXPECT_EQ((grade->textos[{1, 1}]), QStringLiteral("x"));

    Tecla(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), grade);
    EXPECT_EQ(entradas, 2);
    Tecla(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), antes);
    EXPECT_EQ(saidas, 2);
}

TEST_F(GradeEditavel, TheMouseSizesColumnsPicksCellsAndOpensTheCurrentOne)
{
    QWidget* area = grade->viewport();
    const int largura = grade->ColWidths(2);
    const QPoint borda(grade->CellRect(2, 0).Right, 5);
    QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, borda);
    QTest::mouseMove(area, borda + QPoint(20, 0));
    QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, borda + QPoint(20, 0));
    EXPECT_EQ(grade->ColWidths(2), largura + 20);

    QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, Centro(grade->CellRect(3, 2)));
    EXPECT_EQ(Atual(), (TGridCoord{3, 2}));
    EXPECT_FALSE(Editando());
    QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, Centro(grade->CellRect(3, 2)));
    EXPECT_TRUE(Editando());
    Tecla(Qt::Key_Return);

    // Without editing, a held button drags the current cell, scrolling past the edges.
    grade->SetOptions(grade->Options() & ~goEditing);
    QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, Centro(grade->CellRect(1, 1)));
    QTest::mouseMove(area, Centro(grade->CellRect(2, 4)));
    EXPECT_EQ(grade->GridState(), TGridState::gsSelecting);
    grade->TimedScroll(sdDown);
    QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, Centro(grade->CellRect(2, 5)));
    EXPECT_EQ(Atual(), (TGridCoord{2, 5}));
    EXPECT_EQ(grade->GridState(), TGridState::gsNormal);
}
