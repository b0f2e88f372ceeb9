#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

// Calendar arithmetic on the library's day counts, and the program's fixed calendar settings.
//
// A value is a day count from 30/12/1899 (day 0) with the time as the fraction of a day; before
// day 0 the fraction still counts forward within the day, so -1.25 is 29/12/1899 at 06:00.
// Month and day names are the program's Portuguese ones and the week starts on Sunday, as the
// program's calendars show it: nothing here reads the system locale.

struct TdvYMD {
    int Year = 0;
    int Month = 0;
    int Day = 0;
    friend bool operator==(const TdvYMD&, const TdvYMD&) = default;
};

// The program's first day of the week (0 Monday .. 6 Sunday), in place of the locale's.
constexpr int dvProgramFirstDayOfWeek = 6;

[[nodiscard]] bool dvIsLeapYear(int year);
[[nodiscard]] int dvDaysInMonth(int year, int month);

// The day and the time of a value, and a value made of both.
[[nodiscard]] double dvDatePart(double value);
[[nodiscard]] double dvTimePart(double value);
[[nodiscard]] double dvJoinDateTime(double day, double time);

[[nodiscard]] TdvYMD dvDecodeDate(double value);
// The day, cut to the month's length; false for a year outside 1 to 9999 or a month outside 1
// to 12.
[[nodiscard]] bool dvEncodeDateCut(int year, int month, int day, double& value);
// The same day moved by whole months, or into another year, cut to the month's length. The
// value is kept when the result would leave the years 1 to 9999.
[[nodiscard]] double dvIncMonth(double value, int months);
[[nodiscard]] double dvWithYear(double value, int year);
[[nodiscard]] double dvWithMonth(double value, int month);
// 0 Monday .. 6 Sunday.
[[nodiscard]] int dvDayOfWeek(double value);

[[nodiscard]] QDate dvToQDate(double value);
[[nodiscard]] double dvFromQDate(const QDate& date);

// The day as the program writes short dates ("dd/mm/yyyy").
[[nodiscard]] QString dvShortDateText(double value);

// Names: month 1 to 12, day of the week 0 Monday .. 6 Sunday.
[[nodiscard]] QString dvLongMonthName(int month);
[[nodiscard]] QString dvShortMonthName(int month);
[[nodiscard]] QString dvLongDayName(int dayOfWeek);
[[nodiscard]] QString dvShortDayName(int dayOfWeek);

// The library's clock (dvCurrentDateTime) as values.
[[nodiscard]] double dvNow();     // the current date and time
[[nodiscard]] double dvToday();   // the current day

// The bold days of count months from firstYear/firstMonth: for each month a state whose bit
// (day - 1) is set for each day that isBold accepts (it gets the day's value, month, day, year).
using TdvIsBoldDay = std::function<bool(double date, int month, int day, int year)>;
[[nodiscard]] std::vector<std::uint32_t> dvBoldDayStates(int firstYear, int firstMonth, int count,
                                                         const TdvIsBoldDay& isBold);
