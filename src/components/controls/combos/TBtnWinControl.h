#pragma once
#include <QWidget>

class TdvDBCustomCombo;

// The window inside a combo's right edge that hosts its button.
class TBtnWinControl final : public QWidget {
    Q_OBJECT
public:
    explicit TBtnWinControl(TdvDBCustomCombo* combo);

    [[nodiscard]] TdvDBCustomCombo* Combo() const { return FCombo; }
    // With flat or transparent buttons the host leaves the background to the combo's parent.
    void SetSkipsBackground(bool valor);

private:
    TdvDBCustomCombo* FCombo;   // the parent: outlives the host
};
