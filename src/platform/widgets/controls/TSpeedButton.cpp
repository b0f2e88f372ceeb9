#include "platform/widgets/controls/TSpeedButton.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/widgets/painting/TEdgePainter.h"
#include "platform/widgets/windows/TExcecaoDeEvento.h"

TSpeedButton::TSpeedButton(QWidget* parent)
    : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void TSpeedButton::SetFlat(bool valor)
{
    FFlat = valor;
    update();
}

void TSpeedButton::SetTransparent(bool valor)
{
    FTransparent = valor;
    setAttribute(Qt::WA_NoSystemBackground, valor);
    setAutoFillBackground(!valor);
    update();
}

void TSpeedButton::SetGlyph(const QPixmap& glifo)
{
    FGlyph = glifo;
    update();
}

void TSpeedButton::PaintFace(QPainter& p)
{
    const TRect r = TRect::From(rect());
    if (!FTransparent)
        p.fillRect(rect(), palette().color(QPalette::Button));
    if (!FFlat || isDown())
        TEdgePainter::DrawEdge(p, r, isDown() ? TEdgePainter::EDGE_SUNKEN : TEdgePainter::EDGE_RAISED,
                               TEdgePainter::BF_RECT, palette());
}

void TSpeedButton::PaintGlyph(QPainter& p)
{
    if (FGlyph.isNull())
        return;
    const int deslocamento = isDown() ? 1 : 0;
    const QSize tamanho = FGlyph.deviceIndependentSize().toSize();
    const QPoint origem((width() - tamanho.width()) / 2 + deslocamento,
                        (height() - tamanho.height()) / 2 + deslocamento);
    p.drawPixmap(origem, FGlyph);
}

void TSpeedButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintFace(p);
    PaintGlyph(p);
}

void TSpeedButton::mousePressEvent(QMouseEvent* e)
{
    QAbstractButton::mousePressEvent(e);
    if (OnMouseDown)
        OnMouseDown(e);
}

void TSpeedButton::mouseReleaseEvent(QMouseEvent* e)
{
    QAbstractButton::mouseReleaseEvent(e);
    if (OnMouseUp)
        OnMouseUp(e);
}

bool TSpeedButton::event(QEvent* e)
{
    try {
        return QAbstractButton::event(e);
    } catch (...) {
        TExcecaoDeEvento::Trata(std::current_exception());
        return true;
    }
}
