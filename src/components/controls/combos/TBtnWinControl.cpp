#include "components/controls/combos/TBtnWinControl.h"

#include "components/controls/combos/TdvDBCustomCombo.h"

TBtnWinControl::TBtnWinControl(TdvDBCustomCombo* combo)
    : QWidget(combo)
    , FCombo(combo)
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
}

void TBtnWinControl::SetSkipsBackground(bool valor)
{
    setAttribute(Qt::WA_NoSystemBackground, valor);
    setAutoFillBackground(!valor);
}
