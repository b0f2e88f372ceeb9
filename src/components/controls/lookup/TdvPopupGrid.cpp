#include "components/controls/lookup/TdvPopupGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "components/controls/lookup/TdvDBCustomLookupCombo.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/datasets/TFieldDataLink.h"
#include "platform/widgets/windows/TExcecaoDeEvento.h"

TdvPopupGrid::TdvPopupGrid(TdvDBCustomLookupCombo& combo)
    : TdvDBLookupList(combo, &combo)
{
    setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    viewport()->setFocusPolicy(Qt::NoFocus);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    hide();
}

bool TdvPopupGrid::CanModifyValue()
{
    TdvDBCustomLookupCombo& combo = Combo();
    if (!combo.Bound())
        return !combo.ReadOnly();
    const TDataSource* fonte = combo.DataSource();
    if (combo.DataLink().Editing())
        return true;
    return combo.EditCanModify() && fonte
        && (fonte->State() == dsEdit || fonte->State() == dsInsert || fonte->AutoEdit);
}

void TdvPopupGrid::LinkActive(bool ativo)
{
    TdvDBLookupList::LinkActive(ativo);
    if (ativo) {
        if (!LookupFieldAt(0))
            ReadLookupFields();
        ClearLookupValues();
    }
}

void TdvPopupGrid::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, bool doubleClick, int x, int y)
{
    if (button == Qt::LeftButton && doubleClick) {
        Combo().CloseUp(true);
        return;
    }
    TdvDBLookupList::MouseDown(button, shift, doubleClick, x, y);
    if (button == Qt::LeftButton)
        ChooseRecord();
}

void TdvPopupGrid::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    TdvDBLookupList::MouseUp(button, shift, x, y);
    if (button != Qt::LeftButton || !isVisible())
        return;
    ChooseRecord();
    Combo().CloseUp(true);
}

void TdvPopupGrid::keyPressEvent(QKeyEvent* e)
{
    Combo().ProcessKey(e);
    e->accept();
}

void TdvPopupGrid::keyReleaseEvent(QKeyEvent* e)
{
    Combo().ProcessKey(e);
    e->accept();
}

// Tab is the combo's too (it closes the list with the record found and moves on from the combo):
// the pop-up, a window of its own, would take it to move the focus within itself.
bool TdvPopupGrid::focusNextPrevChild(bool)
{
    return false;
}

void TdvPopupGrid::hideEvent(QHideEvent* e)
{
    TdvDBLookupList::hideEvent(e);
    // Hidden by the system (the application lost the activation): closed as a click elsewhere.
    if (Combo().DroppedDown())
        Combo().CancelMode();
}

bool TdvPopupGrid::event(QEvent* e)
{
    if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick) {
        const QPoint global = static_cast<QMouseEvent*>(e)->globalPosition().toPoint();
        if (!frameGeometry().contains(global)) {
            // A press on the combo (its button) closes here and must not reach it again, or it
            // would drop the grid down anew.
            TdvDBCustomLookupCombo& combo = Combo();
            if (combo.rect().contains(combo.mapFromGlobal(global)))
                setAttribute(Qt::WA_NoMouseReplay);
            try {
                combo.CancelMode();
            } catch (...) {
                TExcecaoDeEvento::Trata(std::current_exception());
            }
            return true;
        }
    }
    return TdvDBLookupList::event(e);   // the grid's own event already reports what its handlers raise
}
