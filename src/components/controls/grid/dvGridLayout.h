#pragma once
#include <QString>
#include <QStringList>

#include "platform/db/sqlite/TFieldType.h"
#include "platform/widgets/grid/TCustomGrid.h"
#include "platform/widgets/painting/TRect.h"

class QFont;

// The arithmetic of the data-aware grid's layout, apart from any window.

// A data row: a line of text plus 2 (plus 1 with row lines), scaled by the percentage.
[[nodiscard]] int dvDataRowHeight(int textHeight, bool rowLines, int rowHeightPercent);
// The least data row that shows a check box whole: the box with its frame, and above and below
// it a clear pixel and the focus line.
[[nodiscard]] constexpr int dvCheckBoxRowHeight()
{
    return 10 + 2 + 2 * 2;
}
// The title row: titleLines lines of text plus 4 (plus 1 without row lines).
[[nodiscard]] int dvTitleRowHeight(int textHeight, int titleLines, bool rowLines);
// A column: displayWidth characters "0" wide plus 4, widened to titleWidth (0: no title).
[[nodiscard]] int dvColumnWidth(int displayWidth, int zeroWidth, int titleWidth);
// Back from a column's pixels to its display width in characters.
[[nodiscard]] int dvDisplayWidthFromPixels(int pixels, int zeroWidth);
// The widest "~"-separated line of a title in the font, plus 4.
[[nodiscard]] int dvTitleWidth(const QFont& font, const QString& title);
// Lines a title is drawn on: 1 when TitleLines is 1, else one more than its "~".
[[nodiscard]] int dvTitleLineCount(const QString& title, int titleLines);
// Where the title text starts below the cell's top, centring its lines in the title row.
[[nodiscard]] int dvTitleTextTop(int titleRowHeight, int textHeight, int lines, int pressedOffset);
// The rectangle of a cell's text, in cell coordinates, for a cell of w by h.
[[nodiscard]] TRect dvCellTextRect(TAlignment alignment, int w, int h, int dx, int dy);

// Parts of a Selected line (field, width, title, read-only flag), split at TAB.
[[nodiscard]] QStringList dvSelectedParts(const QString& line);
// Part 0 to 3; the flag is "F" when missing, other missing parts are empty.
[[nodiscard]] QString dvSelectedPart(const QString& line, int part);
// The line with another width, keeping its title and any flag.
[[nodiscard]] QString dvSelectedLineWithWidth(const QString& line, int width);

// Where a dataset stands, for the grid's vertical scroll bar.
struct TdvScrollPosition {
    bool Sequenced = false;   // it knows record numbers
    int RecordCount = 0;
    int RecNo = 0;
    bool PositionKnown = true;   // browsing or editing (not inserting)
    bool Bof = false;
    bool Eof = false;
    bool TodosNaJanela = false;   // every record shows in the grid's window
};
// The bar of a data grid: by record number when sequenced, else five positions (first, back,
// middle, forward, last); a range under 2 becomes 1 to 1001 with a page of 1000, as does a
// dataset whose every record shows (nothing to scroll: the thumb stays whole, wherever the current
// record is). An unknown position keeps the current one.
[[nodiscard]] TScrollInfo dvDataScrollInfo(const TdvScrollPosition& posicao, int visibleRows, int currentPos);

// The footer band: its height (0: a row and 4), 2 more with sunken cells.
[[nodiscard]] int dvFooterBandHeight(int footerHeight, int defaultRowHeight, bool footer3DCells);
