#include "components/controls/TdvComboButtonEffects.h"

#include "platform/widgets/TSpeedButton.h"

#include "components/controls/TdvDBCustomCombo.h"

TdvComboButtonEffects::TdvComboButtonEffects(TdvDBCustomCombo* combo, TSpeedButton* button)
    : TdvButtonEffects(combo, button), FCombo(combo)
{
}

void TdvComboButtonEffects::Refresh()
{
    FCombo->GlyphChanged();
}
