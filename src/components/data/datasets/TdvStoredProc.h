#pragma once
#include "components/data/datasets/TdvDataSet.h"
#include "platform/db/datasets/TStoredProc.h"

// The stored procedure of the component library: a TStoredProc (which this database engine
// cannot run) with the library's per-field settings and record filter. Its record callback only
// asks OnFilter, whatever OnFilterOptions holds.
class TdvStoredProc : public TdvDataSet<TStoredProc> {
public:
    ~TdvStoredProc() override;

protected:
    bool CallFilter() override { return FilterRecordOnly(this); }
    [[nodiscard]] QString LocalFilterRefusedText() const override;
};
