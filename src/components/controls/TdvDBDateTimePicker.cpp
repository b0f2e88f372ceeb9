#include "components/controls/TdvDBDateTimePicker.h"

TdvDBDateTimePicker::TdvDBDateTimePicker(QWidget* parent) : TdvDBCustomDateTimePicker(parent) {}
