#include "components/controls/combos/TdvButtonEffects.h"

#include "platform/widgets/controls/TSpeedButton.h"

TdvButtonEffects::TdvButtonEffects(QWidget* control, TSpeedButton* button)
    : FControl(control)
    , FButton(button)
{}

void TdvButtonEffects::SetTransparent(bool valor)
{
    if (valor == FTransparent)
        return;
    FTransparent = valor;
    if (FButton) {
        FButton->SetTransparent(FFlat || FTransparent);
        FButton->SetFlat(FFlat || FTransparent);
    }
    Refresh();
    if (FButton)
        FButton->update();
}

void TdvButtonEffects::SetFlat(bool valor)
{
    if (valor == FFlat)
        return;
    FFlat = valor;
    if (FButton)
        FButton->SetFlat(FFlat || FTransparent);
    Refresh();
    if (FButton)
        FButton->update();
}
