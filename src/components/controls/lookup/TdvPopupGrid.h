#pragma once
#include "components/controls/lookup/TdvDBLookupList.h"

// The lookup list as the drop-down window of its lookup combo: a pop-up that takes neither the
// activation nor the focus; every key typed while it shows is handed to the combo, a release of
// the left button on its rows closes the drop-down with the record chosen, and a press outside
// it, or its hiding by the system, closes the drop-down as a click elsewhere does.
class TdvPopupGrid final : public TdvDBLookupList {
    Q_OBJECT
public:
    explicit TdvPopupGrid(TdvDBCustomLookupCombo& combo);

protected:
    [[nodiscard]] bool CanModifyValue() override;
    void LinkActive(bool ativo) override;
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, bool doubleClick, int x, int y) override;
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    bool focusNextPrevChild(bool next) override;
    void hideEvent(QHideEvent* e) override;
    bool event(QEvent* e) override;
};
