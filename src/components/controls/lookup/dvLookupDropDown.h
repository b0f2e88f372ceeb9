#pragma once
#include "platform/widgets/painting/TRect.h"

// Where the lookup combo's drop-down grid goes and how big it is: pure arithmetic on the
// combo's place on the screen and the grid's rows and columns, so that it can be checked
// without a window.
struct TdvLookupDropDownInput {
    int X = 0;   // screen position of the combo's client origin
    int Y = 0;
    int ComboWidth = 0;
    int ComboHeight = 0;
    bool BorderNone = false;   // the combo has no border: the grid starts right below it
    TRect Screen;              // the screen's area
    int Rows = 0;              // rows to show (DropDownCount already shrunk to the records)
    bool Titles = false;       // loTitles
    bool RowLines = false;     // loRowLines
    int RowHeight = 0;         // the grid's default row height
    int DropDownWidth = 0;     // 0: the width of the columns
    int NaturalWidth = 0;      // every column, with the thumb allowance (dvLookupNaturalWidth)
    int NaturalWidthButLast = 0;
    int ColumnCount = 0;
    int GridLineWidth = 1;
    int ButtonWidth = 0;
    bool RightAligned = false;   // DropDownAlignment taRightJustify
    int HorzScrollHeight = 0;    // the system's horizontal scroll bar
};

// The rows shown: DropDownCount, 1 for 0, and no more than the records when their count is
// known (recordCount < 0: not known), never fewer than one.
[[nodiscard]] int dvLookupDropDownRows(int dropDownCount, int recordCount);

// (rows + T) x (row height + L) + 2 + 3T, T being 1 with titles and L 1 with row lines.
[[nodiscard]] int dvLookupDropDownHeight(int rows, bool titles, bool rowLines, int rowHeight);

// The natural width of the columns: thumb + 1, plus for each column its width in characters
// times the width of "0" plus the grid line (or its title's width when titles show and that is
// larger).
[[nodiscard]] int dvLookupNaturalWidth(int thumbWidth, const int* displayWidths, const int* titleWidths, int columns,
                                       int zeroWidth, int gridLineWidth, bool titles);

// The grid's screen rectangle: below the combo, or above it when it would pass the screen's
// bottom (below again when above would pass the top); as wide as asked, within the screen, never
// narrower than the combo less 4, growing to the left when right-aligned; taller by a horizontal
// scroll bar when the columns do not fit.
[[nodiscard]] TRect dvLookupDropDownBounds(const TdvLookupDropDownInput& in);
