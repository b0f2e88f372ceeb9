#include "components/controls/combos/TdvComboDlgButton.h"

#include <QMouseEvent>
#include <QPainter>

#include "components/controls/combos/TdvDBCustomCombo.h"
#include "platform/widgets/painting/TEdgePainter.h"

TdvComboDlgButton::TdvComboDlgButton(QWidget* host, TdvDBCustomCombo* combo)
    : TSpeedButton(host)
    , FCombo(combo)
{}

void TdvComboDlgButton::PaintFace(QPainter& p)
{
    const bool pressionado = isDown();
    const TRect r = TRect::From(rect());
    if (FCombo->ButtonDrawsFace(pressionado))
        FCombo->DrawButtonFace(p, r, pressionado);
}

void TdvComboDlgButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintFace(p);
    PaintGlyph(p);
    const bool pressionado = isDown();
    if (FCombo->ButtonDrawsEdge(pressionado))
        TEdgePainter::DrawEdge(p, TRect::From(rect()),
                               pressionado ? TEdgePainter::EDGE_SUNKEN : TEdgePainter::EDGE_RAISED,
                               TEdgePainter::BF_RECT, palette());
}

void TdvComboDlgButton::mousePressEvent(QMouseEvent* e)
{
    TSpeedButton::mousePressEvent(e);
    if (!FCombo->OptionFlags[2] && e->button() == Qt::LeftButton)
        FCombo->ButtonPress();
    update();
}

void TdvComboDlgButton::mouseReleaseEvent(QMouseEvent* e)
{
    TSpeedButton::mouseReleaseEvent(e);
    update();
}

void TdvComboDlgButton::leaveEvent(QEvent* e)
{
    TSpeedButton::leaveEvent(e);
    update();
}
