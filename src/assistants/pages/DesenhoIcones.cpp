#include "assistants/pages/DesenhoIcones.h"

#include <QPainter>
#include <QPainterPath>

void DesenhaIconeErro(QPainter& p)
{
    p.setPen(QPen(QColor(128, 0, 0), 1));
    p.setBrush(QColor(220, 30, 30));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(QPointF(5, 5), QPointF(11, 11));
    p.drawLine(QPointF(11, 5), QPointF(5, 11));
}

void DesenhaIconeAviso(QPainter& p, const QColor& cor)
{
    QPainterPath triangulo;
    triangulo.moveTo(8, 1.5);
    triangulo.lineTo(14.5, 14.5);
    triangulo.lineTo(1.5, 14.5);
    triangulo.closeSubpath();
    p.setPen(QPen(QColor(128, 96, 0), 1));
    p.setBrush(cor);
    p.drawPath(triangulo);
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(QPointF(8, 6), QPointF(8, 10.5));
    p.drawPoint(QPointF(8, 12.5));
}

void DesenhaIconeOk(QPainter& p)
{
    p.setPen(QPen(QColor(0, 128, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
}
