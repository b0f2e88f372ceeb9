#include "components/controls/datetime/TdvDBDateTimePicker.h"

TdvDBDateTimePicker::TdvDBDateTimePicker(QWidget* parent)
    : TdvDBCustomDateTimePicker(parent)
{}
