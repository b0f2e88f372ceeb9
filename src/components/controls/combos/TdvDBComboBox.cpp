#include "components/controls/combos/TdvDBComboBox.h"

TdvDBComboBox::TdvDBComboBox(QWidget* parent)
    : TdvDBCustomComboBox(parent)
{}
