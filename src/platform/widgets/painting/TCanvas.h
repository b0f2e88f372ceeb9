#pragma once
#include <QColor>
#include <QFont>

#include "platform/widgets/painting/TRect.h"

class QPainter;

// A font with its colour, as the platform's drawing routines take it.
struct TFont {
    QFont Font;
    QColor Color = Qt::black;

    friend bool operator==(const TFont&, const TFont&) = default;
};

struct TBrush {
    QColor Color = Qt::white;
};

// The drawing state that painting routines hand each other, over the painter of the paint in
// progress: the font and brush chosen for the next fill or text.
class TCanvas {
public:
    explicit TCanvas(QPainter& painter)
        : FPainter(painter)
    {}
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    [[nodiscard]] QPainter& Painter() const { return FPainter; }

    TFont Font;
    TBrush Brush;

    // The rectangle in the brush colour.
    void FillRect(const TRect& r) const;
    // Puts Font on the painter (pen in its colour), for drawing text directly.
    void ApplyFont() const;
    [[nodiscard]] int TextWidth(const QString& texto) const;
    [[nodiscard]] int TextHeight(const QString& texto) const;

private:
    QPainter& FPainter;
};

// Height of one line of text in a font, as the layouts measure it ("W" high).
[[nodiscard]] int dvTextHeight(const QFont& font);
// The height each line of a text of that many lines takes as drawn: the text height for one line,
// the line spacing (the font's leading included) for more.
[[nodiscard]] int dvLineStep(const QFont& font, int lines);
// Width of a text in a font.
[[nodiscard]] int dvTextWidth(const QFont& font, const QString& texto);
