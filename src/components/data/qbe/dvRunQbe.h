#pragma once
#include <memory>

class TCursor;
class TDatabase;
struct TdvQbeQuery;

// Runs a query-by-example text on the database. A text that asks for rows gives its answer. A
// text that inserts, deletes or changes rows runs its statements in one transaction (every
// change or none) and gives no answer (nullptr). blankAsZero: a blank numeric field counts as
// zero in the conditions. Raises EDBEngineError with SQLite's result code.
std::unique_ptr<TCursor> dvRunQbe(TDatabase& database, const TdvQbeQuery& query, bool blankAsZero);
