#include "platform/report/pages/TUnidades.h"

#include <QPainter>
#include <QPicture>

void TUnidades::DesenhaPagina(QPainter& pintor, const QPicture& pagina)
{
    // A picture plays back scaled by the device's resolution over the application's default
    // one, whatever resolution it was recorded at; the pages are recorded at 96 per inch.
    static const QPicture referencia;
    pintor.save();
    pintor.scale(qreal(referencia.logicalDpiX()) / PorPolegada, qreal(referencia.logicalDpiY()) / PorPolegada);
    pintor.drawPicture(0, 0, pagina);
    pintor.restore();
}
