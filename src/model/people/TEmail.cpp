#include "model/people/TEmail.h"

#include "model/values/CodigoMensagem.h"

std::uint8_t TEmail::Valida(const QString& Texto) const
{
    if (Texto.isEmpty() && PermiteVazio())
        return 0;
    const qsizetype arroba = Texto.indexOf(QLatin1Char('@'));
    return arroba <= 0 || arroba == Texto.size() - 1 ? CodigoMensagem::EmailInvalido : 0;
}
