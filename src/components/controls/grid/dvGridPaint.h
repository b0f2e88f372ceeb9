#pragma once
#include <QColor>
#include <QImage>
#include <QString>

#include "platform/db/sqlite/TFieldType.h"
#include "platform/widgets/painting/TRect.h"

class QFont;
class QPainter;
class QPalette;
class TCanvas;

// Drawing routines of the data-aware grid's cells.

// Flags of dvWriteTextRect.
enum TdvTextFlag : unsigned {
    wtPrefix = 1,        // "&" marks an accelerator
    wtEllipsis = 2,      // a line that does not fit ends in "..."
    wtWordWrap = 4,      // lines break between words
    wtKeepPicture = 8,   // the cell's present picture stays under the text, merged with the brush
    wtNoFill = 16,       // the background is not filled
};

// Writes a text in a cell with the canvas's font and brush: the cell filled (unless
// wtNoFill), the text laid in dvCellTextRect at dx, dy, with its lines, wrapped only with
// wtWordWrap in a cell more than one line high and without wtEllipsis. Nothing is drawn
// outside the cell.
void dvWriteTextRect(TCanvas& canvas, const TRect& cell, int dx, unsigned flags, TAlignment alignment,
                     const QString& text, int dy);

// One line of text in the font, plus twice the window border, is at least the cell's height.
[[nodiscard]] bool dvIsSingleLineHeight(const QFont& font, const TRect& cell);

// A 10 by 10 check box at box, drawn with a one-pixel outer frame around it: the tick style
// (greyed when read-only) or the cross style.
void dvDrawGridCheckBox(QPainter& p, const TRect& box, bool checked, bool readOnly, bool tickStyle,
                        const QPalette& pal);

// The record marks of the indicator column.
enum class TdvIndicatorKind { Arrow, Edit, Insert };

// Black marks on white, shared by every grid while one lives.
class TdvGridResources final {
public:
    static void Acquire();
    static void Release();
    [[nodiscard]] static const QImage& Indicator(TdvIndicatorKind kind);
    // The arrow with its white taking the background colour and its black turned yellow.
    [[nodiscard]] static QImage YellowArrow(const QColor& background);
};
