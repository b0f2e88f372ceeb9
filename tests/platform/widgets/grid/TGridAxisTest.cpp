#include <gtest/gtest.h>

#include "platform/widgets/grid/TGridAxis.h"

namespace {

// A fixed cell of 20 and four of 30, each with a one-pixel line after it.
TGridAxis Eixo(int primeiro = 1)
{
    return {{20, 30, 30, 30, 30}, 1, primeiro, 1};
}

}   // namespace

TEST(TGridAxis, PlacesCellsAfterTheFixedOnesFromTheFirstShown)
{
    const struct {
        int primeiro;
        int celula;
        int extensao;
        int inicio;
    } casos[] = {
        {1, 0, 100, 0},  {1, 1, 100, 21}, {1, 3, 100, 83}, {1, 4, 100, -1},   // begins past the client
        {3, 1, 100, -1},                                                      // scrolled out
        {3, 3, 100, 21}, {1, 5, 100, -1},                                     // no such cell
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.primeiro << "/" << c.celula);
        EXPECT_EQ(Eixo(c.primeiro).CellStart(c.celula, c.extensao), c.inicio);
    }
}

TEST(TGridAxis, CountsTheCellsShownWholeAndAny)
{
    const struct {
        int primeiro;
        int extensao;
        int ultimoInteiro;
        int ultimo;
        int visiveis;
    } casos[] = {
        {1, 100, 2, 3, 2},
        {1, 113, 3, 3, 3},   // only the line of cell 3 is cut
        {1, 10, 1, 0, 1},    // not even one fits: the first counts
        {3, 100, 4, 4, 2},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.primeiro << "/" << c.extensao);
        const TGridAxis eixo = Eixo(c.primeiro);
        EXPECT_EQ(eixo.LastFullVisible(c.extensao), c.ultimoInteiro);
        EXPECT_EQ(eixo.LastVisible(c.extensao), c.ultimo);
        EXPECT_EQ(eixo.VisibleCount(c.extensao), c.visiveis);
    }
}

TEST(TGridAxis, FindsTheCellUnderAPositionAndTheLastFirst)
{
    const TGridAxis eixo = Eixo();
    const struct {
        int posicao;
        int celula;
    } casos[] = {{0, 0}, {20, 0}, {21, 1}, {99, 3}, {100, -1}, {-1, -1}};
    for (const auto& c : casos)
        EXPECT_EQ(eixo.CellAt(c.posicao, 100), c.celula) << c.posicao;
    EXPECT_EQ(eixo.MaxFirst(100), 3);
    EXPECT_EQ(eixo.MaxFirst(1000), 1);
    EXPECT_EQ(eixo.GridBoundary(1000), 145);
    EXPECT_EQ(eixo.GridBoundary(100), 100);
}
