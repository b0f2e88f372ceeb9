#pragma once
#include "components/controls/grid/TdvCustomDBGrid.h"

// The read-only list of the verification's rows: the library grid over the verification table,
// without titles or indicator, whole rows selected, nothing to edit, insert or delete.
class TGradeVerificacao final : public TdvCustomDBGrid {
    Q_OBJECT
public:
    explicit TGradeVerificacao(QWidget* parent = nullptr);
};
