#pragma once
#include "components/controls/combos/TdvButtonEffects.h"

class TdvDBCustomCombo;

// The combo's button looks: every change puts the face of the current button style on the
// button.
class TdvComboButtonEffects final : public TdvButtonEffects {
public:
    TdvComboButtonEffects(TdvDBCustomCombo* combo, TSpeedButton* button);

protected:
    void Refresh() override;

private:
    TdvDBCustomCombo* FCombo;   // owns the effects
};
