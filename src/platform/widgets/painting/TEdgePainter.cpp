#include "platform/widgets/painting/TEdgePainter.h"

#include <QPainter>
#include <QPalette>
#include <algorithm>

namespace {

struct CoresDaBorda {
    QColor claro;    // left and top
    QColor escuro;   // right and bottom
};

CoresDaBorda CoresExternas(unsigned edge, unsigned flags, const QPalette& pal)
{
    if (flags & TEdgePainter::BF_MONO)
        return {pal.color(QPalette::WindowText), pal.color(QPalette::WindowText)};
    if (flags & TEdgePainter::BF_FLAT)
        return {pal.color(QPalette::Dark), pal.color(QPalette::Dark)};
    if (edge & TEdgePainter::BDR_RAISEDOUTER)
        return {pal.color(QPalette::Midlight), pal.color(QPalette::Shadow)};
    return {pal.color(QPalette::Dark), pal.color(QPalette::Light)};
}

CoresDaBorda CoresInternas(unsigned edge, unsigned flags, const QPalette& pal)
{
    if (flags & TEdgePainter::BF_MONO)
        return {pal.color(QPalette::Base), pal.color(QPalette::Base)};
    if (flags & TEdgePainter::BF_FLAT)
        return {pal.color(QPalette::Button), pal.color(QPalette::Button)};
    if (edge & TEdgePainter::BDR_RAISEDINNER)
        return {pal.color(QPalette::Light), pal.color(QPalette::Dark)};
    return {pal.color(QPalette::Shadow), pal.color(QPalette::Midlight)};
}

// One border line on each side asked for; returns the rectangle inside it.
TRect DesenhaBorda(QPainter& p, TRect r, unsigned flags, const CoresDaBorda& cores)
{
    if (r.Width() <= 0 || r.Height() <= 0)
        return r;
    if (flags & TEdgePainter::BF_LEFT)
        p.fillRect(QRect(r.Left, r.Top, 1, r.Height()), cores.claro);
    if (flags & TEdgePainter::BF_TOP)
        p.fillRect(QRect(r.Left, r.Top, r.Width(), 1), cores.claro);
    if (flags & TEdgePainter::BF_RIGHT)
        p.fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), cores.escuro);
    if (flags & TEdgePainter::BF_BOTTOM)
        p.fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), cores.escuro);
    if (flags & TEdgePainter::BF_LEFT)
        ++r.Left;
    if (flags & TEdgePainter::BF_TOP)
        ++r.Top;
    if (flags & TEdgePainter::BF_RIGHT)
        --r.Right;
    if (flags & TEdgePainter::BF_BOTTOM)
        --r.Bottom;
    return r;
}

}   // namespace

void TEdgePainter::DrawEdge(QPainter& p, const TRect& r, unsigned edge, unsigned flags, const QPalette& pal)
{
    TRect dentro = r;
    if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER))
        dentro = DesenhaBorda(p, dentro, flags, CoresExternas(edge, flags, pal));
    if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER))
        dentro = DesenhaBorda(p, dentro, flags, CoresInternas(edge, flags, pal));
    if ((flags & BF_MIDDLE) && dentro.Width() > 0 && dentro.Height() > 0)
        p.fillRect(dentro.ToQRect(), pal.color(QPalette::Button));
}

void TEdgePainter::DrawComboButton(QPainter& p, const TRect& r, unsigned state, const QPalette& pal)
{
    if (r.Width() <= 0 || r.Height() <= 0)
        return;
    p.fillRect(r.ToQRect(), pal.color(QPalette::Button));
    const bool pushed = state & DFCS_PUSHED;
    if (state & DFCS_FLAT)
        DrawEdge(p, r, BDR_SUNKENOUTER, BF_RECT | BF_FLAT, pal);
    else
        DrawEdge(p, r, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT, pal);

    // A solid triangle, its width odd so that it has a middle column; pushed moves it by one.
    const int lado = std::min(r.Width(), r.Height());
    int largura = std::max(3, (lado - 4) / 2);
    if (largura % 2 == 0)
        --largura;
    const int altura = (largura + 1) / 2;
    const int deslocamento = pushed ? 1 : 0;
    const int x0 = r.Left + (r.Width() - largura) / 2 + deslocamento;
    const int y0 = r.Top + (r.Height() - altura) / 2 + deslocamento;
    auto triangulo = [&](int dx, int dy, const QColor& cor) {
        for (int i = 0; i < altura; ++i)
            p.fillRect(QRect(x0 + dx + i, y0 + dy + i, largura - 2 * i, 1), cor);
    };
    if (state & DFCS_INACTIVE) {
        triangulo(1, 1, pal.color(QPalette::Light));
        triangulo(0, 0, pal.color(QPalette::Dark));
    } else {
        triangulo(0, 0, pal.color(QPalette::ButtonText));
    }
}

void TEdgePainter::DrawFocusRect(QPainter& p, const TRect& r, const QPalette& pal)
{
    if (r.Width() <= 0 || r.Height() <= 0)
        return;
    p.save();
    QPen pen(pal.color(QPalette::WindowText));
    pen.setStyle(Qt::DotLine);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
    p.restore();
}
