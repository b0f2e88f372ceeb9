#pragma once
#include <QColor>
#include <array>

class TdvMonthCalendar;

// The six colours of a month calendar, indexed 0 to 5 in the order of the calendar control's
// colour indexes: the background round the month (not published), the text, the title's
// background and text, the month's background and the text of the neighbouring months' days.
// Writing one passes it on to the owning calendar at once; when the owner is another control
// (a picker keeps them for the calendar it drops down) they are only stored.
class TdvDateTimeColors {
public:
    enum : int { Background, Text, TitleBack, TitleText, MonthBack, TrailingText };

    explicit TdvDateTimeColors(TdvMonthCalendar* owner = nullptr);   // the owner outlives the colours
    TdvDateTimeColors(const TdvDateTimeColors&) = delete;
    TdvDateTimeColors& operator=(const TdvDateTimeColors&) = delete;

    [[nodiscard]] QColor Color(int index) const;
    void SetColor(int index, const QColor& cor);

    [[nodiscard]] QColor BackColor() const { return Color(Background); }
    void SetBackColor(const QColor& cor) { SetColor(Background, cor); }
    [[nodiscard]] QColor TextColor() const { return Color(Text); }
    void SetTextColor(const QColor& cor) { SetColor(Text, cor); }
    [[nodiscard]] QColor TitleBackColor() const { return Color(TitleBack); }
    void SetTitleBackColor(const QColor& cor) { SetColor(TitleBack, cor); }
    [[nodiscard]] QColor TitleTextColor() const { return Color(TitleText); }
    void SetTitleTextColor(const QColor& cor) { SetColor(TitleText, cor); }
    [[nodiscard]] QColor MonthBackColor() const { return Color(MonthBack); }
    void SetMonthBackColor(const QColor& cor) { SetColor(MonthBack, cor); }
    [[nodiscard]] QColor TrailingTextColor() const { return Color(TrailingText); }
    void SetTrailingTextColor(const QColor& cor) { SetColor(TrailingText, cor); }

    // Copies the five published colours (not the background).
    void Assign(const TdvDateTimeColors& origem);

private:
    TdvMonthCalendar* FOwner;   // not owned; may be null
    std::array<QColor, 6> FColors;
};
