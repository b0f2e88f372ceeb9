#include "platform/report/pages/TPaginaGravada.h"

#include "platform/report/pages/TUnidades.h"

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
