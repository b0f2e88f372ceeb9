#pragma once
#include <QDate>
#include <QDateTime>

#include "components/controls/datetime/dvCalendar.h"

// The day (and time) as the library's date value.
inline double Dia(int ano, int mes, int dia, int hora = 0, int minuto = 0, int segundo = 0)
{
    return dvFromQDate(QDate(ano, mes, dia)) + ((hora * 60 + minuto) * 60 + segundo) / 86400.0;
}

// The clock of the date tests: Wednesday 05/03/2003 14:07:30.
inline QDateTime Quarta()
{
    return {QDate(2003, 3, 5), QTime(14, 7, 30)};
}
