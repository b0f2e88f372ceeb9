#include "platform/report/TPaginaGravada.h"

#include "platform/report/TUnidades.h"

int TPaginaGravada::metric(PaintDeviceMetric metrica) const
{
    switch (metrica) {
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return int(TUnidades::PorPolegada);
    default:
        return QPicture::metric(metrica);
    }
}
