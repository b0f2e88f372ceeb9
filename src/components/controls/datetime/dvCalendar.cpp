#include "components/controls/datetime/dvCalendar.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "components/data/common/dvSystem.h"

namespace {

const QDate DiaZero(1899, 12, 30);

const std::array<QString, 12> mesesLongos = {
    QStringLiteral("Janeiro"),  QStringLiteral("Fevereiro"), QStringLiteral("Março"),    QStringLiteral("Abril"),
    QStringLiteral("Maio"),     QStringLiteral("Junho"),     QStringLiteral("Julho"),    QStringLiteral("Agosto"),
    QStringLiteral("Setembro"), QStringLiteral("Outubro"),   QStringLiteral("Novembro"), QStringLiteral("Dezembro"),
};

const std::array<QString, 7> diasLongos = {
    QStringLiteral("Segunda-feira"), QStringLiteral("Terça-feira"), QStringLiteral("Quarta-feira"),
    QStringLiteral("Quinta-feira"),  QStringLiteral("Sexta-feira"), QStringLiteral("Sábado"),
    QStringLiteral("Domingo"),
};

}   // namespace

bool dvIsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int dvDaysInMonth(int year, int month)
{
    static const int dias[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && dvIsLeapYear(year) ? 29 : dias[month - 1];
}

double dvDatePart(double value)
{
    return std::trunc(value);
}

double dvTimePart(double value)
{
    return std::fabs(value - std::trunc(value));
}

double dvJoinDateTime(double day, double time)
{
    return day >= 0 ? day + time : day - time;
}

TdvYMD dvDecodeDate(double value)
{
    const QDate d = dvToQDate(value);
    return {d.year(), d.month(), d.day()};
}

bool dvEncodeDateCut(int year, int month, int day, double& value)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12)
        return false;
    return dvTryEncodeDate(year, month, std::clamp(day, 1, dvDaysInMonth(year, month)), value);
}

double dvIncMonth(double value, int months)
{
    const TdvYMD d = dvDecodeDate(value);
    const int total = d.Year * 12 + (d.Month - 1) + months;
    double novo = 0;
    if (!dvEncodeDateCut(total / 12, total % 12 + 1, d.Day, novo))
        return value;
    return dvJoinDateTime(novo, dvTimePart(value));
}

double dvWithYear(double value, int year)
{
    const TdvYMD d = dvDecodeDate(value);
    double novo = 0;
    if (!dvEncodeDateCut(year, d.Month, d.Day, novo))
        return value;
    return dvJoinDateTime(novo, dvTimePart(value));
}

double dvWithMonth(double value, int month)
{
    const TdvYMD d = dvDecodeDate(value);
    double novo = 0;
    if (!dvEncodeDateCut(d.Year, month, d.Day, novo))
        return value;
    return dvJoinDateTime(novo, dvTimePart(value));
}

int dvDayOfWeek(double value)
{
    return dvToQDate(value).dayOfWeek() - 1;
}

QDate dvToQDate(double value)
{
    return DiaZero.addDays(static_cast<qint64>(dvDatePart(value)));
}

double dvFromQDate(const QDate& date)
{
    return static_cast<double>(DiaZero.daysTo(date));
}

QString dvShortDateText(double value)
{
    return dvToQDate(value).toString(QStringLiteral("dd/MM/yyyy"));
}

QString dvLongMonthName(int month)
{
    return month >= 1 && month <= 12 ? mesesLongos[static_cast<std::size_t>(month - 1)] : QString();
}

QString dvShortMonthName(int month)
{
    return dvLongMonthName(month).left(3);
}

QString dvLongDayName(int dayOfWeek)
{
    return dayOfWeek >= 0 && dayOfWeek <= 6 ? diasLongos[static_cast<std::size_t>(dayOfWeek)] : QString();
}

QString dvShortDayName(int dayOfWeek)
{
    return dvLongDayName(dayOfWeek).left(3);
}

double dvNow()
{
    const QDateTime agora = dvCurrentDateTime();
    return dvFromQDate(agora.date()) + agora.time().msecsSinceStartOfDay() / 86400000.0;
}

double dvToday()
{
    return dvDatePart(dvNow());
}

std::vector<std::uint32_t> dvBoldDayStates(int firstYear, int firstMonth, int count, const TdvIsBoldDay& isBold)
{
    std::vector<std::uint32_t> estados;
    int ano = firstYear;
    int mes = firstMonth;
    for (int i = 0; i < count; ++i) {
        std::uint32_t estado = 0;
        for (int dia = 1; dia <= dvDaysInMonth(ano, mes); ++dia) {
            double data = 0;
            if (isBold && dvTryEncodeDate(ano, mes, dia, data) && isBold(data, mes, dia, ano))
                estado |= 1u << (dia - 1);
        }
        estados.push_back(estado);
        if (++mes > 12) {
            mes = 1;
            ++ano;
        }
    }
    return estados;
}
