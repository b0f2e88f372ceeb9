#pragma once
#include <QFont>
#include <QRectF>
#include <QString>
#include <vector>

class QWidget;

// The texts a widget paints, each with the area its letters take and the clip it was painted
// under, all in the painting widget's coordinates: what a user reads of a custom-drawn control.
struct TTextoPintado {
    QString Texto;
    QRectF Area;
    QRectF Recorte;   // empty when nothing clipped the painter
};

namespace TextosPintados {

// Renders the widget and its children through a recording device.
[[nodiscard]] std::vector<TTextoPintado> De(QWidget& controle);

}   // namespace TextosPintados
