#include "exchange/layout/TNumeroRecibo.h"

#include "model/values/TratamentoTexto.h"
#include "model/values/CodigoMensagem.h"

namespace {

// Modulo 11 over the digits, weights 2, 3, ... from the rightmost (back to 2 after 12);
// a result of 10 or 11 becomes 0.
QChar DigitoVerificador(const QString& digitos)
{
    int soma = 0;
    int peso = 2;
    for (auto i = digitos.size() - 1; i >= 0; --i) {
        soma += (digitos[i].unicode() - u'0') * peso;
        peso = peso == 12 ? 2 : peso + 1;
    }
    const int dv = 11 - soma % 11;
    return QLatin1Char(static_cast<char>('0' + (dv >= 10 ? 0 : dv)));
}

}   // namespace

int TNumeroRecibo::Valida(const QString& texto)
{
    if (texto.size() != 12 || texto == QLatin1String("000000000000"))
        return CodigoMensagem::ReciboInvalido;
    const QString dv = CalculaDV(texto.left(10));
    return !dv.isEmpty() && dv == texto.right(2) ? 0 : CodigoMensagem::ReciboInvalido;
}

QString TNumeroRecibo::CalculaDV(const QString& base)
{
    if (base.size() != 10 || !SoNumeros(base))
        return {};
    QString trabalho = base;
    trabalho += DigitoVerificador(trabalho);
    trabalho += DigitoVerificador(trabalho);
    return trabalho.right(2);
}

void TNumeroRecibo::Formata(QString& texto)
{
    if (texto.size() != 12)
        return;
    texto.insert(10, QLatin1Char('-'));
    for (const int posicao : {8, 6, 4, 2})
        texto.insert(posicao, QLatin1Char('.'));
}
