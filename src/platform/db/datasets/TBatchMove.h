#pragma once
#include <cstdint>

class TDataSet;
class TTable;

enum TBatchMode : std::uint8_t { batAppend, batUpdate, batAppendUpdate, batDelete, batCopy };

// Copies every record of a dataset into a table, field by field in position order, in one
// transaction: when the move is aborted the table is as it was.
class TBatchMove {
public:
    TDataSet* Source = nullptr;      // not owned; read from its first record
    TTable* Destination = nullptr;   // not owned
    TBatchMode Mode = batAppend;     // batAppend only: the others raise
    bool AbortOnKeyViol = true;      // false: a row that breaks a key is skipped and counted
    bool AbortOnProblem = true;      // false: a row whose values do not fit is skipped and counted
    int RecordCount = 0;             // at most this many records; 0 all

    // Raises EDatabaseError on an aborted move (the table unchanged).
    void Execute();

    [[nodiscard]] int MovedCount() const { return FMovedCount; }
    [[nodiscard]] int KeyViolCount() const { return FKeyViolCount; }
    [[nodiscard]] int ProblemCount() const { return FProblemCount; }

private:
    int FMovedCount = 0;
    int FKeyViolCount = 0;
    int FProblemCount = 0;
};
