#pragma once
#include <QString>

#include "platform/files/EComMensagem.h"

// A date outside the limits of a calendar or picker; the message names the limit as a short
// date and is meant for the user.
class EDateTimeError : public EComMensagem {
public:
    explicit EDateTimeError(const QString& mensagem)
        : EComMensagem(mensagem)
    {}

    // "Date exceeds maximum of %s" and "Date is less than minimum of %s" with the limit's day.
    [[nodiscard]] static EDateTimeError Exceeds(double maxDate);
    [[nodiscard]] static EDateTimeError LessThan(double minDate);
    // Raises Exceeds when the value's day lies after a maximum and LessThan when the value lies
    // before a minimum (0: no limit).
    static void CheckLimits(double value, double minDate, double maxDate);
    // A new maximum below the minimum raises LessThan the minimum, a new minimum above the
    // maximum Exceeds the maximum (0: no limit).
    static void CheckNewMaxDate(double maxDate, double minDate);
    static void CheckNewMinDate(double minDate, double maxDate);
};
