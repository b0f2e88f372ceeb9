#pragma once
#include <QFont>

#include "components/controls/datetime/TdvDateTimeColors.h"
#include "components/controls/datetime/TdvMonthCalendar.h"
#include "components/controls/datetime/TdvPopupYearOptions.h"

// Where the drop-down calendar lines up with its picker.
enum class TdvDTCalAlignment { dvdtaLeft, dvdtaRight, dvdtaCenter };

// The look of a picker's drop-down calendar, copied into the calendar each time it drops down.
// Width and Height are not published: 0 lets the calendar take its own least size.
struct TdvCalendarOptions {
    TdvDTCalAlignment Alignment = TdvDTCalAlignment::dvdtaLeft;
    TdvDateTimeColors Colors;
    QFont Font;
    int Width = 0;
    int Height = 0;
    TdvMonthOptions Options = mdoDayState;
    TdvPopupYearOptions PopupYearOptions;
    TdvCalDayOfWeek FirstDayOfWeek = TdvCalDayOfWeek::dvdowLocaleDefault;
};

// The step of a picker's minute part; with RoundMinutes the minute stays on the interval's grid.
struct TdvDTInterval {
    int MinutesInterval = 1;
    bool RoundMinutes = false;
};
