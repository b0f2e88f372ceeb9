#pragma once
#include <QtGlobal>

class QPainter;
class QPicture;

// The report units: every band height, element position, font size and vertical limit of a
// report is given in pixels of a 96-dot-per-inch page, the scale the layouts were drawn in.
// This is the one place where they meet millimetres, points and device pixels.
struct TUnidades final {
    static constexpr qreal PorPolegada = 96.0;

    static constexpr qreal DeMilimetros(qreal mm) { return mm * PorPolegada / 25.4; }
    // Vertical positions measured from the top of the paper in tenths of a millimetre.
    static constexpr qreal DeDecimosDeMilimetro(qreal decimos) { return DeMilimetros(decimos / 10.0); }
    static constexpr qreal DePontos(qreal pontos) { return pontos * PorPolegada / 72.0; }
    static constexpr qreal ParaPontos(qreal unidades) { return unidades * 72.0 / PorPolegada; }

    // Plays a recorded page on the painter's device so that one unit is 1/96 inch of the
    // device (before the painter's own transformation, which callers use for zoom).
    static void DesenhaPagina(QPainter& pintor, const QPicture& pagina);
};
