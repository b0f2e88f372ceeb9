#include "components/controls/grid/TdvGridHintWindow.h"

#include <QPainter>

#include "components/controls/grid/dvGridPaint.h"
#include "platform/widgets/painting/TCanvas.h"

void TdvGridHintWindow::Paint(QPainter& p)
{
    TCanvas canvas(p);
    canvas.Font = {font(), palette().color(QPalette::ToolTipText)};
    const TRect dentro{2, 2, width() - 2, height() - 2};
    dvWriteTextRect(canvas, dentro, 0, wtNoFill | (WordWrap ? wtWordWrap : 0u), Alignment, Caption(), 0);
}
