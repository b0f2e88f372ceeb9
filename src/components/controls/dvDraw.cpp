#include "components/controls/dvDraw.h"

#include <QPainter>
#include <QPalette>

#include "platform/widgets/painting/TEdgePainter.h"

void dvDrawEllipsis(QPainter& p, const TRect& r, const QPalette& pal, bool enabled, bool flat, bool pressed)
{
    if (r.Width() <= 0 || r.Height() <= 0)
        return;
    p.fillRect(r.ToQRect(), pal.color(QPalette::Button));
    if (!flat || pressed)
        TEdgePainter::DrawEdge(p, r, pressed ? TEdgePainter::EDGE_SUNKEN : TEdgePainter::EDGE_RAISED,
                               TEdgePainter::BF_RECT, pal);
    constexpr int ponto = 2;
    constexpr int passo = ponto + 2;
    const int largura = 3 * ponto + 2 * (passo - ponto);
    const int deslocamento = pressed ? 1 : 0;
    const int x = r.Left + (r.Width() - largura) / 2 + deslocamento;
    const int y = r.Top + (r.Height() - ponto) / 2 + deslocamento;
    for (int i = 0; i < 3; ++i) {
        const QRect quadrado(x + i * passo, y, ponto, ponto);
        if (enabled) {
            p.fillRect(quadrado, pal.color(QPalette::ButtonText));
        } else {
            p.fillRect(quadrado.translated(1, 1), pal.color(QPalette::Light));
            p.fillRect(quadrado, pal.color(QPalette::Dark));
        }
    }
}

void dvDrawDropDownArrow(QPainter& p, const TRect& r, const QPalette& pal, bool flat, bool pressed, bool enabled)
{
    unsigned estado = 0;
    if (!enabled)
        estado |= TEdgePainter::DFCS_INACTIVE;
    if (flat)
        estado |= TEdgePainter::DFCS_FLAT;
    if (pressed)
        estado |= TEdgePainter::DFCS_PUSHED;
    TEdgePainter::DrawComboButton(p, r, estado, pal);
}

void dvDrawFocusFrame(QPainter& p, const TRect& r, const QPalette& pal)
{
    if (r.Width() <= 0 || r.Height() <= 0)
        return;
    p.save();
    p.setPen(pal.color(QPalette::Highlight));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
    p.restore();
    TEdgePainter::DrawFocusRect(p, {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, pal);
}
