#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>

// Dates and times typed by the user, read with the program's fixed formats (TFormatSettings:
// "dd/mm/yyyy", "/" and ":") and the Portuguese month abbreviations, never the system locale.
//
// A date is a day number counted from 30 December 1899 (day 0); a time is the fraction of a day;
// a date and time is their sum. Text positions are indexes into the text, counted from 0.

// Order of the day, month and year in a short date format, by its first D, M or Y letter.
enum TdvDateOrder { doMDY = 0, doDMY = 1, doYMD = 2 };

// The part of a date-time text under the caret.
enum TdvDateTimePart { dtpDay = 0, dtpMonth = 1, dtpYear = 2, dtpHour = 3, dtpMinute = 4, dtpSecond = 5, dtpAmPm = 6 };

// 0 month-day-year (also when the format holds none of the letters), 1 day-month-year,
// 2 year-month-day.
int dvDateOrder(const QString& shortDateFormat);

// False for a year outside 1 to 9999, a month outside 1 to 12 or a day past the month's end.
bool dvTryEncodeDate(int year, int month, int day, double& date);

// Reads a date from pos (moved past it and the blanks after it). Two-digit years fall in the
// hundred years from 1950; a date without a year takes the current year.
bool dvScanDate(const QString& text, int& pos, double& date);
// The same with the hundred years starting at epochYear.
bool dvScanDateEpoch(const QString& text, int& pos, int epochYear, double& date);
// Reads a time "h:m" or "h:m:s", optionally followed by AM or PM, from pos.
bool dvScanTime(const QString& text, int& pos, double& time);

// True when the whole text (trailing blanks allowed) is a date, a time, or a date and a time.
bool dvIsValidDate(const QString& text);
bool dvIsValidTime(const QString& text);
bool dvIsValidDateTime(const QString& text);

// The date at the start of the text (the rest is not checked), or 0.
double dvTextToDate(const QString& text);
// The time or date and time when the whole text is one, else 0.
double dvTextToTime(const QString& text);
double dvTextToDateTime(const QString& text);

// Empty text, or digits with an optional leading minus that is not alone.
bool dvIsInteger(const QString& text);
// Empty text, or a number with the program's decimal separator (its first 63 characters).
bool dvIsFloat(const QString& text);
// Reads a number written with the program's decimal separator: optional blanks and sign,
// digits, decimals and exponent. False when the text is no such number.
bool dvTextToFloat(const QString& text, double& value);

// Which part of a date-time text (or of a time text, with timeOnly) lies at the caret position.
int dvGetDateTimeCursorPart(int cursorPos, const QString& text, bool timeOnly);
int dvGetTimeCursorPart(int cursorPos, const QString& text);

// The clock of the component library: the year of a date typed without one, the calendars'
// today, the edits' completion of dates and times. Tests install their own; nullptr goes back to
// the system clock. Returns what was installed before.
using TdvNow = QDateTime (*)();
TdvNow dvInstallNow(TdvNow now);
[[nodiscard]] QDateTime dvCurrentDateTime();
