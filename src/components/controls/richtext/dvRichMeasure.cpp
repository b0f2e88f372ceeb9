#include "components/controls/richtext/dvRichMeasure.h"

#include <cmath>

QString dvFormatNumber(double valor)
{
    return QString::number(valor, 'g', 15).replace(QLatin1Char('.'), QLatin1Char(','));
}

bool dvParseNumber(const QString& texto, double& valor)
{
    QString t = texto.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    if (t.isEmpty() || t.count(QLatin1Char('.')) > 1)
        return false;
    bool ok = false;
    valor = t.toDouble(&ok);
    return ok && std::isfinite(valor);
}

QString dvFormatMeasurement(double valor, TdvMeasurementUnits unidade)
{
    return dvFormatNumber(valor)
        + (unidade == TdvMeasurementUnits::muInches ? QStringLiteral("''") : QStringLiteral(" cm"));
}

QString dvFormatMeasurementRounded(double valor, TdvMeasurementUnits unidade, int divisoes)
{
    const int n = divisoes > 0 ? divisoes : (unidade == TdvMeasurementUnits::muInches ? 8 : 20);
    const double afastado = valor + (valor < 0 ? -1.0 : 1.0) / (1.5 * n);
    const auto milesimos = static_cast<long long>(afastado * 1000.0);   // toward zero
    const long long passo = 1000 / n;
    const long long cortado = passo > 0 ? milesimos / passo * passo : milesimos;
    return dvFormatMeasurement(static_cast<double>(cortado) / 1000.0, unidade);
}

bool dvParseMeasurement(const QString& texto, TdvMeasurementUnits unidade, int& twips)
{
    QString t = texto;
    while (!t.isEmpty()) {
        const QChar c = t.back().toLower();
        if (c != u' ' && c != u'\'' && c != u'c' && c != u'm')
            break;
        t.chop(1);
    }
    double valor = 0;
    if (!dvParseNumber(t, valor))
        return false;
    double medida = valor * TwipsPorPolegada;
    if (unidade == TdvMeasurementUnits::muCentimeters)
        medida /= CentimetrosPorPolegada;
    if (std::fabs(medida) > 1e9)
        return false;
    twips = static_cast<int>(medida);   // toward zero
    return true;
}

bool dvMeasurementInRange(const QString& texto, TdvMeasurementUnits unidade, int minimo)
{
    int twips = 0;
    return dvParseMeasurement(texto, unidade, twips) && twips >= minimo && twips <= MedidaMaximaTwips;
}

double dvTwipsToMeasurement(int twips, TdvMeasurementUnits unidade)
{
    double valor = static_cast<double>(twips) / TwipsPorPolegada;
    if (unidade == TdvMeasurementUnits::muCentimeters)
        valor *= CentimetrosPorPolegada;
    return std::round(valor * 100.0) / 100.0;
}
