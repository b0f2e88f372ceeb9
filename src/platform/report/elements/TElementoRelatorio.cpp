#include "platform/report/elements/TElementoRelatorio.h"

qreal TElementoRelatorio::AlturaEsticada(const TContextoImpressao& /*contexto*/) const
{
    return 0;
}
