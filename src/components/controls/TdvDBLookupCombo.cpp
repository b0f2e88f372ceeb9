#include "components/controls/TdvDBLookupCombo.h"

TdvDBLookupCombo::TdvDBLookupCombo(QWidget* parent) : TdvDBCustomLookupCombo(parent) {}
