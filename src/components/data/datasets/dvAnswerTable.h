#pragma once
#include <QString>

class TCursor;
class TDatabase;

// Copies a query's answer into the table that the name gives, replacing a table of that name:
//   ":ALIAS:TABLE.DB"  the table in the folder of the alias's "PATH" in the engine configuration
//   "folder/TABLE.DB"  the table in the database of that folder
//   "TABLE.DB"         the table in the query's own database
// An empty name asks for nothing (true). An alias without a path shows "Invalid Alias in QBE";
// a table that cannot be written shows "Unable to create answer table " + name and leaves any
// table of that name as it was. Both give false.
bool dvCreateQBEAnswerTable(TCursor& answer, const QString& answerTable, TDatabase& database);
