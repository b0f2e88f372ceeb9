#pragma once
#include <functional>
#include <vector>

#include "components/controls/datetime/TdvDateTimeColors.h"
#include "components/controls/datetime/TdvPopupYearOptions.h"
#include "platform/widgets/controls/TCustomEdit.h"
#include "platform/widgets/controls/TMonthCalControl.h"
#include "platform/widgets/controls/TPopupMenu.h"

enum TdvMonthOption : unsigned {
    mdoDayState = 0x1,
    mdoMultiSelect = 0x2,
    mdoWeekNumbers = 0x4,
    mdoNoTodayCircle = 0x8,
    mdoNoToday = 0x10,
};
using TdvMonthOptions = unsigned;

// dvdowLocaleDefault is the program's first day of the week (Sunday), never the system's.
enum class TdvCalDayOfWeek {
    dvdowMonday,
    dvdowTuesday,
    dvdowWednesday,
    dvdowThursday,
    dvdowFriday,
    dvdowSaturday,
    dvdowSunday,
    dvdowLocaleDefault,
};

// (Sender, ADate, Month, Day, Year, bool& Accept): Accept true draws the day bold.
using TCalcBoldDayEvent = std::function<void(QObject* sender, double date, int month, int day, int year, bool& accept)>;
// Month, day and year under the mouse; day 0 off the day cells (month and year are then the
// month shown).
using TmcMouseUpDownEvent = std::function<void(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                               int x, int y, int month, int day, int year)>;
using TmcMouseMoveEvent =
    std::function<void(QObject* sender, Qt::KeyboardModifiers shift, int x, int y, int month, int day, int year)>;

// The question of the "Edit Year" item: its caption, prompt and the years it accepts.
struct TdvYearQuestion {
    QString Caption;
    QString Prompt;
    int MinYear = 1;
    int MaxYear = 9999;
};

// The library's month calendar: the selected date (a day count with its time), its limits,
// colours and options as properties applied to the calendar control; the owner's bold days; pop-up
// menus on the title for choosing a month or a year; and its own keys and scroll buttons, which
// move the date by days, weeks or months. Dates out of MinDate..MaxDate (0: no limit) cannot be
// chosen; setting one raises EDateTimeError. The date-time picker drops it down.
class TdvMonthCalendar : public TMonthCalControl {
    Q_OBJECT
public:
    explicit TdvMonthCalendar(QWidget* parent = nullptr);
    ~TdvMonthCalendar() override;

    [[nodiscard]] TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle estilo);
    [[nodiscard]] TdvDateTimeColors& CalColors() { return FColors; }
    void SetCalColors(const TdvDateTimeColors& cores) { FColors.Assign(cores); }

    [[nodiscard]] double Date() const;
    // The new day keeps the time; a day out of the limits raises EDateTimeError.
    void SetDate(double valor);
    [[nodiscard]] double Time() const;
    void SetTime(double valor);
    [[nodiscard]] double DateTime() const { return FDateTime; }
    // The value brought into the limits (none set: not before 31/12/1899) and selected.
    void SetDateTime(double valor);

    [[nodiscard]] QColor Color() const { return FColor; }
    void SetColor(const QColor& cor);
    [[nodiscard]] TdvMonthOptions Options() const { return FOptions; }
    void SetOptions(TdvMonthOptions opcoes);
    [[nodiscard]] const TdvPopupYearOptions& PopupYearOptions() const { return FPopupYearOptions; }
    void SetPopupYearOptions(const TdvPopupYearOptions& opcoes) { FPopupYearOptions = opcoes; }
    [[nodiscard]] TdvCalDayOfWeek FirstDayOfWeek() const { return FFirstDayOfWeek; }
    void SetFirstDayOfWeek(TdvCalDayOfWeek dia);
    [[nodiscard]] int MaxSelectCount() const { return FMaxSelectCount; }
    void SetMaxSelectCount(int quantidade);
    // Limits: 0 means none. A maximum below the minimum (or the reverse) raises EDateTimeError.
    [[nodiscard]] double MaxDate() const { return FMaxDate; }
    void SetMaxDate(double valor);
    [[nodiscard]] double MinDate() const { return FMinDate; }
    void SetMinDate(double valor);
    // The selected range of a multi-select calendar, the earlier day first. A day out of the
    // limits stores the limit, then raises EDateTimeError.
    [[nodiscard]] double SelectionStart() const { return FSelStart; }
    void SetSelectionStart(double valor);
    [[nodiscard]] double SelectionEnd() const { return FSelEnd; }
    void SetSelectionEnd(double valor);
    [[nodiscard]] bool SelectionChanged() const { return FSelectionChanged; }
    [[nodiscard]] bool TabStop() const { return focusPolicy() == Qt::StrongFocus; }
    void SetTabStop(bool valor);

    // Assign before SetOptions (or call RefreshDayState after it) for the bold days to be asked.
    TCalcBoldDayEvent OnCalcBoldDay;
    std::function<void(QObject* sender)> OnChange;
    TmcMouseUpDownEvent OnMouseDown;
    TmcMouseUpDownEvent OnMouseUp;
    TmcMouseMoveEvent OnMouseMove;

    // True while the month or the year menu is up.
    [[nodiscard]] bool PopupMenuShowing() const;
    [[nodiscard]] TPopupMenu* MonthMenu() const { return FMonthMenu; }
    [[nodiscard]] TPopupMenu* YearMenu() const { return FYearMenu; }   // made when first shown

    // The calendar's keys: Page Up and Page Down move a month, Left and Right a day, Up and Down
    // a week (with multi-select and Shift the arrows stretch the selection instead). True when
    // the key was one of them; a move past a limit raises EDateTimeError.
    bool HandleKey(int key, Qt::KeyboardModifiers shift);

    // The month menu: each month checked when shown, disabled when the same day in it (cut)
    // lies out of the limits.
    [[nodiscard]] static std::vector<TMenuItem> MonthMenuItems(double date, int shownYear, int shownMonth,
                                                               double minDate, double maxDate);
    // The year menu of the options: "Edit Year" and a separator first when ShowEditYear, then
    // the years in columns, the shown one checked, those whose same day is out of the limits
    // disabled.
    [[nodiscard]] static std::vector<TMenuItem> YearMenuItems(const TdvPopupYearOptions& opcoes, double date,
                                                              int shownYear, double minDate, double maxDate,
                                                              const QString& editYearLabel);
    // Where the year menu's left edge goes, from the left of the title's year text.
    [[nodiscard]] static int YearMenuLeft(int yearTextLeft, const TdvPopupYearOptions& opcoes, int editLabelWidth,
                                          int pixelsPerInch);
    [[nodiscard]] static TdvYearQuestion EditYearQuestion(double minDate, double maxDate,
                                                          const QString& enterYearPrompt);
    // True, with the year, for a whole number within the question's years.
    [[nodiscard]] static bool AcceptsYear(const QString& resposta, const TdvYearQuestion& pergunta, int& ano);
    [[nodiscard]] static bool OutsideLimits(double day, double minDate, double maxDate);

protected:
    // Runs OnChange; derived calendars hear of every change the user makes here.
    virtual void Change();
    virtual void MouseDown(QMouseEvent* e, const THitTest& h);
    virtual void MouseUp(QMouseEvent* e, const THitTest& h);

    [[nodiscard]] QDate Today() const override;
    [[nodiscard]] QString TodayText(const QDate& hoje) const override;

    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    // Applies every setting to the control, as creating its window does.
    void CreateWnd();
    void ApplyRange();
    // One end of the selection (FSelStart or FSelEnd).
    void SetSelectionEdge(double& ponta, double valor);
    void SelChange(const QDate& inicio, const QDate& fim);
    [[nodiscard]] bool Intercepted(const THitTest& h) const;
    void Press(QMouseEvent* e);
    // Sets the date and, when it changed, runs Change.
    void MoveTo(double valor);
    void ShowMonthMenu();
    void ShowYearMenu();
    void EditYear();
    void StretchSelection(int dias);
    [[nodiscard]] int EffectiveFirstDayOfWeek() const;
    [[nodiscard]] std::vector<std::uint32_t> DayStates(int ano, int mes, int quantidade);
    void Report(const TmcMouseUpDownEvent& evento, QMouseEvent* e, const THitTest& h);

    TBorderStyle FBorderStyle = TBorderStyle::bsNone;
    TdvDateTimeColors FColors;
    double FDateTime = 0;
    double FSelStart = 0;
    double FSelEnd = 0;
    double FKeyAnchor = 0;   // the end of a stretched selection that stays
    double FMaxDate = 0;
    double FMinDate = 0;
    TdvMonthOptions FOptions = mdoDayState;
    int FMaxSelectCount = 31;
    bool FSelectionChanged = false;
    QColor FColor;
    TPopupMenu* FMonthMenu;            // child, owned through Qt
    TPopupMenu* FYearMenu = nullptr;   // child, made on first use
    TdvPopupYearOptions FPopupYearOptions;
    TdvCalDayOfWeek FFirstDayOfWeek = TdvCalDayOfWeek::dvdowLocaleDefault;
};
