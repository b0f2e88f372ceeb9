#include "components/controls/lookup/TdvDBLookupCombo.h"

TdvDBLookupCombo::TdvDBLookupCombo(QWidget* parent)
    : TdvDBCustomLookupCombo(parent)
{}
