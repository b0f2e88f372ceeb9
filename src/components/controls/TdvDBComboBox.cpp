#include "components/controls/TdvDBComboBox.h"

TdvDBComboBox::TdvDBComboBox(QWidget* parent)
    : TdvDBCustomComboBox(parent)
{
}
