#pragma once

// What the year pop-up of a month calendar lists: NumberColumns columns of YearsPerColumn years
// from StartYear, after an "Edit Year" item when ShowEditYear. Assigning copies all four.
struct TdvPopupYearOptions {
    int YearsPerColumn = 10;
    int NumberColumns = 2;
    int StartYear = 1990;
    bool ShowEditYear = false;

    friend bool operator==(const TdvPopupYearOptions&, const TdvPopupYearOptions&) = default;
};
