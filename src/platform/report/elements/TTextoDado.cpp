#include "platform/report/elements/TTextoDado.h"

QString TTextoDado::TextoImpresso(const TContextoImpressao& contexto) const
{
    return Valor ? Valor() : TRotulo::TextoImpresso(contexto);
}
