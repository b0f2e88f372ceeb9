#include "components/controls/combos/TdvComboButtonEffects.h"

#include "platform/widgets/controls/TSpeedButton.h"

#include "components/controls/combos/TdvDBCustomCombo.h"

TdvComboButtonEffects::TdvComboButtonEffects(TdvDBCustomCombo* combo, TSpeedButton* button)
    : TdvButtonEffects(combo, button)
    , FCombo(combo)
{}

void TdvComboButtonEffects::Refresh()
{
    FCombo->GlyphChanged();
}
