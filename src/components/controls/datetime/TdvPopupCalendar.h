#pragma once
#include <QPoint>
#include <QRect>

#include "components/controls/datetime/TdvCalendarOptions.h"

class TdvDBCustomDateTimePicker;

// Where the drop-down calendar of a picker opens, in screen coordinates.
struct TdvCalendarPlacementInput {
    QPoint Edit;   // the picker's client origin
    int PickerWidth = 0;
    int PickerHeight = 0;
    int CalendarWidth = 0;
    int CalendarHeight = 0;
    int WorkAreaBottom = 0;   // the first row below the work area
    int ScreenWidth = 0;
    int ScrollBarWidth = 0;   // the system's vertical scroll bar
    TdvDTCalAlignment Alignment = TdvDTCalAlignment::dvdtaLeft;
};

// The month calendar a date-time picker drops down: a pop-up window under (or over) the picker
// that never takes the keyboard. Keys typed while it is up go to the picker, which passes on the
// calendar's own; a press outside it closes it keeping its date, and releasing the button on its
// days closes it the same way.
class TdvPopupCalendar final : public TdvMonthCalendar {
    Q_OBJECT
public:
    explicit TdvPopupCalendar(TdvDBCustomDateTimePicker* picker);

    [[nodiscard]] TdvDBCustomDateTimePicker* Picker() const { return FPicker; }

    // The window's top-left corner: below the picker, or above it when the work area ends
    // first and there is room; left, right or centred by the alignment, right-aligned with the
    // picker when it would reach the screen's right edge.
    [[nodiscard]] static QPoint Placement(const TdvCalendarPlacementInput& in);

protected:
    void MouseUp(QMouseEvent* e, const THitTest& h) override;
    void Change() override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    // A press outside closes the calendar; true when it did.
    bool ClosesOutside(QMouseEvent* e);

    TdvDBCustomDateTimePicker* FPicker;   // owner and parent
};
