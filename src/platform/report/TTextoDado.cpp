#include "platform/report/TTextoDado.h"

QString TTextoDado::TextoImpresso(const TContextoImpressao& contexto) const
{
    return Valor ? Valor() : TRotulo::TextoImpresso(contexto);
}
