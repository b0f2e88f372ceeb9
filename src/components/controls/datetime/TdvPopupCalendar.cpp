#include "components/controls/datetime/TdvPopupCalendar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "components/controls/combos/TBtnWinControl.h"
#include "components/controls/datetime/TdvDBCustomDateTimePicker.h"

TdvPopupCalendar::TdvPopupCalendar(TdvDBCustomDateTimePicker* picker)
    : TdvMonthCalendar(picker)
    , FPicker(picker)
{
    setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    // The picker keeps the keyboard; the calendar only hears the keys it passes on.
    setFocusPolicy(Qt::NoFocus);
    SetShowsFocus(true);
}

QPoint TdvPopupCalendar::Placement(const TdvCalendarPlacementInput& in)
{
    int topo = in.Edit.y() + in.PickerHeight - 1;
    if (topo + in.CalendarHeight > in.WorkAreaBottom && in.Edit.y() - in.CalendarHeight > 0)
        topo = in.Edit.y() - in.CalendarHeight;
    const int botao = std::max(in.ScrollBarWidth, 15);
    int esquerda = in.Edit.x();
    switch (in.Alignment) {
    case TdvDTCalAlignment::dvdtaRight:
        esquerda = in.Edit.x() + in.PickerWidth - botao - in.CalendarWidth - 1;
        break;
    case TdvDTCalAlignment::dvdtaCenter:
        esquerda = in.Edit.x() + (in.PickerWidth - in.CalendarWidth - botao - 1) / 2;
        break;
    case TdvDTCalAlignment::dvdtaLeft:
        break;
    }
    if (in.Edit.x() + in.CalendarWidth >= in.ScreenWidth)
        esquerda = in.Edit.x() + in.PickerWidth - 1 - in.CalendarWidth;
    if (in.Alignment != TdvDTCalAlignment::dvdtaLeft && esquerda < 0)
        esquerda = 0;
    return {esquerda + 1, topo};
}

void TdvPopupCalendar::MouseUp(QMouseEvent* e, const THitTest& h)
{
    TdvMonthCalendar::MouseUp(e, h);
    if (e->button() == Qt::LeftButton && (h.OnDay() || h.Hit == MCHT_CALENDARBK))
        FPicker->CloseUp(true);
}

void TdvPopupCalendar::Change()
{
    TdvMonthCalendar::Change();
    FPicker->CalendarChanged();
}

bool TdvPopupCalendar::ClosesOutside(QMouseEvent* e)
{
    const QPoint global = e->globalPosition().toPoint();
    if (rect().contains(mapFromGlobal(global)))
        return false;
    // A press on the picker's button would drop the calendar down again once it is closed.
    if (QWidget* botao = FPicker->ButtonHost();
        botao && botao->isVisible() && botao->rect().contains(botao->mapFromGlobal(global)))
        setAttribute(Qt::WA_NoMouseReplay);
    FPicker->CancelMode();
    return true;
}

void TdvPopupCalendar::mousePressEvent(QMouseEvent* e)
{
    if (!ClosesOutside(e))
        TdvMonthCalendar::mousePressEvent(e);
}

void TdvPopupCalendar::keyPressEvent(QKeyEvent* e)
{
    FPicker->ProcessKey(e);
    e->accept();
}

void TdvPopupCalendar::keyReleaseEvent(QKeyEvent* e)
{
    FPicker->ProcessKey(e);
    e->accept();
}

void TdvPopupCalendar::hideEvent(QHideEvent* e)
{
    TdvMonthCalendar::hideEvent(e);
    // Closed from outside (the application lost the activation): the date shown is kept.
    if (FPicker->DroppedDown() || isVisible())
        return;
    FPicker->CloseUp(true);
}
