#pragma once
#include "components/controls/datetime/TdvDBCustomDateTimePicker.h"

// The published date-time picker, as the forms place it.
class TdvDBDateTimePicker : public TdvDBCustomDateTimePicker {
    Q_OBJECT
public:
    explicit TdvDBDateTimePicker(QWidget* parent = nullptr);
};
