#include "model/statements/TMonetarioMais65.h"

#include "model/values/TErro.h"

void TMonetarioMais65::VerificaLimite(qint64 Valor) const
{
    if (FAno <= QLatin1String("2001")) {
        if (Valor > LimiteAte2001)
            throw EMonetarioInvalido(CodigoMensagem::LimiteMais65Ate2001, QString(), 0);
    } else if (Valor > LimiteDesde2002) {
        throw EMonetarioInvalido(CodigoMensagem::LimiteMais65Desde2002, QString(), 0);
    }
    TMonetario::VerificaLimite(Valor);
}
