#pragma once
#include "components/data/datasets/TdvDataSet.h"
#include "platform/db/datasets/TQuery.h"

// The SQL query of the component library: a TQuery with the library's per-field settings and
// record filter (no text filter).
class TdvQuery : public TdvDataSet<TQuery> {
public:
    ~TdvQuery() override;

    // The warning of a query or stored procedure whose engine refuses a local filter.
    [[nodiscard]] static QString RefusedLocalFilterText();

protected:
    [[nodiscard]] QString LocalFilterRefusedText() const override { return RefusedLocalFilterText(); }
};
