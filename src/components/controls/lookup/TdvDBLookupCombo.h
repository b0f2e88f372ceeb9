#pragma once
#include "components/controls/lookup/TdvDBCustomLookupCombo.h"

// The lookup combo that the forms place.
class TdvDBLookupCombo final : public TdvDBCustomLookupCombo {
    Q_OBJECT
public:
    explicit TdvDBLookupCombo(QWidget* parent = nullptr);
};
