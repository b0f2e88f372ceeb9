#include <gtest/gtest.h>

#include "components/controls/lookup/dvLookupDropDown.h"

TEST(dvLookupDropDown, RowsComeFromTheCountShrunkToTheRecords)
{
    const struct {
        int contagem;
        int registros;
        int linhas;
    } casos[] = {
        {8, -1, 8},                // count of records not known
        {0, -1, 1},                // DropDownCount 0 shows one row
        {8, 3, 3},                 // fewer records than rows
        {12, 30, 12}, {8, 0, 1},   // an empty table still shows a row
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.contagem * 100 + c.registros);
        EXPECT_EQ(dvLookupDropDownRows(c.contagem, c.registros), c.linhas);
    }
}

TEST(dvLookupDropDown, HeightCountsTitlesAndRowLines)
{
    EXPECT_EQ(dvLookupDropDownHeight(8, false, false, 16), 8 * 16 + 2);
    EXPECT_EQ(dvLookupDropDownHeight(8, true, true, 16), 9 * 17 + 2 + 3);
    EXPECT_EQ(dvLookupDropDownHeight(12, false, true, 15), 12 * 16 + 2);
}

TEST(dvLookupDropDown, NaturalWidthTakesTheWiderTitleOnlyWithTitles)
{
    const int larguras[] = {2, 20};
    const int titulos[] = {40, 10};
    // 16 + 1, then 2 x 7 + 1 and 20 x 7 + 1
    EXPECT_EQ(dvLookupNaturalWidth(16, larguras, titulos, 2, 7, 1, false), 17 + 15 + 141);
    EXPECT_EQ(dvLookupNaturalWidth(16, larguras, titulos, 2, 7, 1, true), 17 + 40 + 141);
    EXPECT_EQ(dvLookupNaturalWidth(16, larguras, titulos, 1, 7, 1, false), 17 + 15);
}

TEST(dvLookupDropDown, PlacesTheGridBelowAboveOrToTheLeftAsTheScreenAllows)
{
    // A combo of 120 x 21; columns 200 wide (150 without the last), two of them; button 16.
    const auto base = [] {
        TdvLookupDropDownInput in;
        in.X = 100;
        in.Y = 100;
        in.ComboWidth = 120;
        in.ComboHeight = 21;
        in.Screen = {0, 0, 1024, 768};
        in.Rows = 8;
        in.RowHeight = 16;
        in.NaturalWidth = 200;
        in.NaturalWidthButLast = 150;
        in.ColumnCount = 2;
        in.GridLineWidth = 1;
        in.ButtonWidth = 16;
        in.HorzScrollHeight = 16;
        return in;
    };
    const struct {
        const char* caso;
        void (*muda)(TdvLookupDropDownInput&);
        TRect esperado;
    } casos[] = {
        {"below, as wide as the columns", [](TdvLookupDropDownInput&) {}, {100, 120, 318, 250}},
        {"no border: right below", [](TdvLookupDropDownInput& in) { in.BorderNone = true; }, {100, 121, 318, 251}},
        {"near the bottom: above", [](TdvLookupDropDownInput& in) { in.Y = 700; }, {100, 571, 318, 701}},
        {"fits neither way: below",
         [](TdvLookupDropDownInput& in) {
             in.Screen = {0, 0, 1024, 200};
             in.Y = 50;
             in.Rows = 11;
         },
         {100, 70, 318, 248}},
        {"right-aligned grows to the left",
         [](TdvLookupDropDownInput& in) {
             in.X = 500;
             in.RightAligned = true;
         },
         {403, 120, 621, 250}},
        {"never narrower than the combo less 4",
         [](TdvLookupDropDownInput& in) { in.DropDownWidth = 300 - 290; },
         {100, 120, 216, 149 + 120}},
        {"cut at the screen's right edge, not below the combo less 4",
         [](TdvLookupDropDownInput& in) { in.X = 950; },
         {950, 120, 1066, 120 + 149}},
        {"columns cut off: room for the scroll bar",
         [](TdvLookupDropDownInput& in) { in.DropDownWidth = 160; },
         {100, 120, 260, 120 + 16 + 16 * 8 + 5}},
        {"scroll bar with titles and row lines",
         [](TdvLookupDropDownInput& in) {
             in.DropDownWidth = 160;
             in.Titles = true;
             in.RowLines = true;
         },
         {100, 120, 260, 120 + 16 + 17 * 9 + 5 - 2}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        TdvLookupDropDownInput in = base();
        c.muda(in);
        EXPECT_EQ(dvLookupDropDownBounds(in), c.esperado);
    }
}
