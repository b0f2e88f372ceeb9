#pragma once
#include <QColor>
#include <QDate>
#include <QStringList>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/widgets/painting/TRect.h"

// The platform's month calendar control: one month as a grid of 6 weeks of 7 days (with the end
// of the month before and the start of the month after in the trailing cells) under a title with
// the month, the year and two scroll buttons, the names of the days above the grid and today's
// date below it. It keeps the selected day (or range of days), an optional range of selectable
// days, six colours and the days drawn bold; a click on a selectable day selects it and tells
// the owner. The scroll buttons scroll the months shown; the title and the keys do nothing here:
// a derived control gives them their meaning. Names come from the owner (the control has no
// language of its own).
class TMonthCalControl : public QWidget {
    Q_OBJECT
public:
    // Style bits.
    enum : unsigned {
        MCS_DAYSTATE = 0x1,        // asks OnGetDayState which days are bold
        MCS_MULTISELECT = 0x2,     // a range of days is selected
        MCS_WEEKNUMBERS = 0x4,     // a column of week numbers before the grid
        MCS_NOTODAYCIRCLE = 0x8,   // today's cell is not circled
        MCS_NOTODAY = 0x10,        // no line with today's date
    };
    // Colour indexes.
    enum : int {
        MCSC_BACKGROUND = 0,   // around the month
        MCSC_TEXT = 1,         // the days of the month
        MCSC_TITLEBK = 2,      // the title, the day names and the selection
        MCSC_TITLETEXT = 3,
        MCSC_MONTHBK = 4,        // under the days
        MCSC_TRAILINGTEXT = 5,   // the days of the neighbouring months and those out of range
    };
    enum THitArea {
        MCHT_NOWHERE,
        MCHT_TITLEBK,
        MCHT_TITLEMONTH,
        MCHT_TITLEYEAR,
        MCHT_TITLEBTNPREV,
        MCHT_TITLEBTNNEXT,
        MCHT_CALENDARBK,
        MCHT_CALENDARDATE,       // a day of the month shown
        MCHT_CALENDARDATEPREV,   // a trailing day of the month before
        MCHT_CALENDARDATENEXT,   // a trailing day of the month after
        MCHT_CALENDARDAY,        // the names of the days
        MCHT_CALENDARWEEKNUM,
        MCHT_TODAYLINK,
    };
    struct THitTest {
        THitArea Hit = MCHT_NOWHERE;
        QDate Date;   // the day of a date cell, else invalid
        [[nodiscard]] bool OnDay() const
        {
            return Hit == MCHT_CALENDARDATE || Hit == MCHT_CALENDARDATEPREV || Hit == MCHT_CALENDARDATENEXT;
        }
    };
    struct TNames {
        QStringList Months;   // twelve, January first
        QStringList Days;     // seven short names, Monday first
    };

    // What the layout is measured from.
    struct TMetrics {
        int LineHeight = 0;
        int CellWidth = 0;    // one day's column
        int TitleWidth = 0;   // the widest title text
        int TodayWidth = 0;   // the line with today's date
    };
    // Where each part lies in the client area (the month is centred in it).
    struct TLayout {
        TRect Block;   // everything but the background around it
        TRect Title;
        TRect PrevButton;
        TRect NextButton;
        TRect TitleMonth;
        TRect TitleYear;
        TRect DayNames;
        TRect WeekNumbers;   // empty without week numbers
        TRect Days;          // 7 columns by 6 rows
        TRect Today;         // empty without today's line
        int CellWidth = 0;
        int CellHeight = 0;
        QSize MinSize;   // the smallest client area that holds the month
    };

    explicit TMonthCalControl(QWidget* parent = nullptr);

    [[nodiscard]] unsigned CalStyle() const { return FStyle; }
    void SetCalStyle(unsigned estilo);
    [[nodiscard]] bool Bordered() const { return FBordered; }
    void SetBordered(bool valor);   // a one-pixel frame round the control

    [[nodiscard]] QDate CurSel() const { return FSelStart; }
    // False, and nothing changed, for an invalid day or one out of range. Shows the day's month.
    bool SetCurSel(const QDate& dia);
    [[nodiscard]] QDate SelStart() const { return FSelStart; }
    [[nodiscard]] QDate SelEnd() const { return FSelEnd; }
    // The earlier day first; false for a day out of range or more days than MaxSelCount.
    bool SetSelRange(const QDate& inicio, const QDate& fim);
    [[nodiscard]] int MaxSelCount() const { return FMaxSelCount; }
    void SetMaxSelCount(int quantidade);

    // Invalid days mean no limit on that side.
    void SetRange(const QDate& minimo, const QDate& maximo);
    [[nodiscard]] QDate RangeMin() const { return FMin; }
    [[nodiscard]] QDate RangeMax() const { return FMax; }
    [[nodiscard]] bool InRange(const QDate& dia) const;

    [[nodiscard]] int FirstDayOfWeek() const { return FFirstDayOfWeek; }
    void SetFirstDayOfWeek(int dia);   // 0 Monday .. 6 Sunday

    [[nodiscard]] QColor CalColor(int indice) const;
    void SetCalColor(int indice, const QColor& cor);

    void SetNames(const TNames& nomes);
    // The selected day gets its focus rectangle even while another control has the focus.
    void SetShowsFocus(bool valor);

    [[nodiscard]] int ShownYear() const { return FShownYear; }
    [[nodiscard]] int ShownMonth() const { return FShownMonth; }
    void ShowMonth(int ano, int mes);
    // Asks OnGetDayState again for the months shown.
    void RefreshDayState();
    // Bit (day - 1) of a month shown (the one before, the one shown or the one after).
    [[nodiscard]] bool IsBoldDay(const QDate& dia) const;

    [[nodiscard]] QSize MinReqSize() const;
    [[nodiscard]] THitTest HitTest(const QPoint& p) const;
    // The rectangle of a day's cell when it is shown, else empty.
    [[nodiscard]] QRect DayRect(const QDate& dia) const;
    [[nodiscard]] TLayout CurrentLayout() const;

    // A selection made by the user (a click or a drag), the earlier day first.
    std::function<void(const QDate& inicio, const QDate& fim)> OnSelChange;
    // The bold days of count months from the given one: bit (day - 1) of each month's state.
    std::function<std::vector<std::uint32_t>(int ano, int mes, int quantidade)> OnGetDayState;

    // The first day of the grid of a month: the month's first day, or the days before it back to
    // the first day of the week.
    [[nodiscard]] static QDate FirstCell(int ano, int mes, int primeiroDiaDaSemana);
    [[nodiscard]] static TLayout LayoutFor(const TMetrics& medidas, const QSize& cliente, unsigned estilo,
                                           int larguraMes, int larguraEspaco, int larguraAno);

protected:
    [[nodiscard]] virtual QDate Today() const;
    [[nodiscard]] virtual QString TodayText(const QDate& hoje) const;
    // Recomputes the smallest size and grows the control to it.
    void FitSize();

    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool event(QEvent* e) override;

private:
    [[nodiscard]] TMetrics Metrics() const;
    [[nodiscard]] QString MonthName(int mes) const;
    [[nodiscard]] QString DayName(int diaDaSemana) const;
    [[nodiscard]] int SelectedDays(const QDate& a, const QDate& b) const;
    void SelectByUser(const QDate& inicio, const QDate& fim);
    void PaintDays(QPainter& p, const TLayout& l) const;

    unsigned FStyle = 0;
    bool FBordered = false;
    QDate FSelStart;
    QDate FSelEnd;
    QDate FAnchor;   // where a drag over a range started
    bool FDragging = false;
    int FMaxSelCount = 7;
    QDate FMin;
    QDate FMax;
    int FFirstDayOfWeek = 6;
    std::array<QColor, 6> FColors;
    TNames FNames;
    bool FShowsFocus = false;
    int FShownYear = 0;
    int FShownMonth = 0;
    std::array<std::uint32_t, 3> FDayStates{};
};
