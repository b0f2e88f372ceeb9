#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <utility>

#include "platform/widgets/EInvalidGridOperation.h"
#include "platform/widgets/TCustomGrid.h"

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

}  // namespace

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
