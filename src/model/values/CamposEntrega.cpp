#include "model/values/CamposEntrega.h"

#include <cmath>
#include <stdexcept>

#include "model/values/TratamentoTexto.h"
#include "platform/files/TFormatSettings.h"

QString FormataValor(int Tamanho, double Valor)
{
    // Printed with 15 significant digits, as the value is shown, then only the whole part kept.
    const double impresso = QString::number(Valor, 'g', 15).toDouble();
    double inteiro = std::trunc(impresso);
    if (inteiro == 0)
        inteiro = 0;   // no "-0"
    return QString::number(inteiro, 'f', 0).rightJustified(Tamanho, QLatin1Char('0'));
}

double SomaValores(int Precisao, int Decimais, double A, double B)
{
    const double soma = A + B;
    if (!std::isfinite(soma))
        throw std::runtime_error("Erro na totalização dos valores.");
    const double significativo = QString::number(soma, 'g', qBound(1, Precisao, 18)).toDouble();
    return QString::number(significativo, 'f', qBound(0, Decimais, 18)).toDouble();
}

QString ExtraiValor(const QString& Linha, int Inicio, int Tamanho)
{
    const QString campo = Linha.mid(Inicio - 1, Tamanho).left(15);
    if (campo.isEmpty() || !SoNumeros(campo))
        return campo;
    const qint64 centavos = campo.toLongLong();   // at most 15 digits: always fits
    return QString::number(centavos / 100) + TFormatSettings::Programa().DecimalSeparator
        + QString::number(centavos % 100).rightJustified(2, QLatin1Char('0'));
}

namespace {

QChar SemAcento(QChar c)
{
    switch (c.unicode()) {
    case 0xC0:
    case 0xC1:
    case 0xC2:
    case 0xC3:
    case 0xE0:
    case 0xE1:
    case 0xE2:
    case 0xE3:
        return QLatin1Char('A');
    case 0xC9:
    case 0xCA:
    case 0xE9:
    case 0xEA:
        return QLatin1Char('E');
    case 0xCD:
    case 0xED:
        return QLatin1Char('I');
    case 0xD3:
    case 0xD4:
    case 0xD5:
    case 0xF3:
    case 0xF4:
    case 0xF5:
        return QLatin1Char('O');
    case 0xDA:
    case 0xDC:
    case 0xFA:
    case 0xFC:
        return QLatin1Char('U');
    case 0xC7:
    case 0xE7:
        return QLatin1Char('C');
    default:
        return c >= QLatin1Char('a') && c <= QLatin1Char('z') ? QChar(c.unicode() - 0x20) : c;
    }
}

}   // namespace

QString NormalizaTexto(const QString& Texto, bool TrocaPontuacao)
{
    QString resultado;
    resultado.reserve(Texto.size());
    for (QChar c : Texto.trimmed()) {
        if (TrocaPontuacao && (c == QLatin1Char('\'') || c == QLatin1Char('.')))
            c = QLatin1Char(' ');
        else
            c = SemAcento(c);
        if (c == QLatin1Char(' ') && resultado.endsWith(QLatin1Char(' ')))
            continue;
        resultado += c;
    }
    return resultado;
}
