#include "components/controls/datetime/EDateTimeError.h"

#include "components/controls/datetime/dvCalendar.h"

EDateTimeError EDateTimeError::Exceeds(double maxDate)
{
    return EDateTimeError(QStringLiteral("Date exceeds maximum of %1").arg(dvShortDateText(maxDate)));
}

EDateTimeError EDateTimeError::LessThan(double minDate)
{
    return EDateTimeError(QStringLiteral("Date is less than minimum of %1").arg(dvShortDateText(minDate)));
}

void EDateTimeError::CheckLimits(double value, double minDate, double maxDate)
{
    if (maxDate != 0 && dvDatePart(value) > maxDate)
        throw Exceeds(maxDate);
    if (minDate != 0 && value < minDate)
        throw LessThan(minDate);
}

void EDateTimeError::CheckNewMaxDate(double maxDate, double minDate)
{
    if (maxDate != 0 && minDate != 0 && maxDate < minDate)
        throw LessThan(minDate);
}

void EDateTimeError::CheckNewMinDate(double minDate, double maxDate)
{
    if (minDate != 0 && maxDate != 0 && minDate > maxDate)
        throw Exceeds(maxDate);
}
