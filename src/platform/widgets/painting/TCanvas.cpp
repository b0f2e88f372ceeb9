#include "platform/widgets/painting/TCanvas.h"

#include <cmath>

#include <QFontMetrics>
#include <QPainter>

void TCanvas::FillRect(const TRect& r) const
{
    if (r.Width() > 0 && r.Height() > 0)
        FPainter.fillRect(r.ToQRect(), Brush.Color);
}

void TCanvas::ApplyFont() const
{
    FPainter.setFont(Font.Font);
    FPainter.setPen(Font.Color);
}

int TCanvas::TextWidth(const QString& texto) const
{
    return dvTextWidth(Font.Font, texto);
}

int TCanvas::TextHeight(const QString&) const
{
    return dvTextHeight(Font.Font);
}

int dvTextHeight(const QFont& font)
{
    return QFontMetrics(font).height();
}

int dvLineStep(const QFont& font, int lines)
{
    // The spacing is fractional: rounded down, lines laid out by it would outgrow the text.
    return lines > 1 ? static_cast<int>(std::ceil(QFontMetricsF(font).lineSpacing())) : dvTextHeight(font);
}

int dvTextWidth(const QFont& font, const QString& texto)
{
    return QFontMetrics(font).horizontalAdvance(texto);
}
