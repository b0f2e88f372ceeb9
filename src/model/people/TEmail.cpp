#include "model/people/TEmail.h"

std::uint8_t TEmail::Valida(const QString& Texto) const
{
    if (Texto.isEmpty() && PermiteVazio())
        return 0;
    const qsizetype arroba = Texto.indexOf(QLatin1Char('@'));
    return arroba <= 0 || arroba == Texto.size() - 1 ? 81 : 0;
}
