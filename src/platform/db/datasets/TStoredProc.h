#pragma once
#include "platform/db/datasets/TDBDataSet.h"
#include "platform/db/datasets/TParams.h"

// A stored procedure of a database server. SQLite has none: the properties are kept, and
// opening or executing one raises EDatabaseError.
class TStoredProc : public TDBDataSet {
public:
    ~TStoredProc() override;

    [[nodiscard]] const QString& StoredProcName() const { return FStoredProcName; }
    void SetStoredProcName(const QString& nome) { FStoredProcName = nome; }
    [[nodiscard]] TParams& Params() { return FParams; }
    void ExecProc();

protected:
    std::unique_ptr<TCursor> CreateCursor() override;

private:
    QString FStoredProcName;
    TParams FParams;
};
