#pragma once
#include <QString>
#include <QStringList>

#include "components/data/qbe/TdvQbeQuery.h"

// Reads a query-by-example text:
//
//     Query                                    (optional)
//     ANSWER: name                             (optional; the dataset names its own answer table)
//
//     Benef.db | NOME      | UF | PRUV_DK |    a table's heading: its name, then its fields
//              | Check A.. | SP | _decl   |    one example row per line, cells under the fields
//              | Check     | MG | _decl   |    another row: an alternative (OR)
//
//     Pruv.db  | PRUV_DK | ANO      |          a blank line ends a block
//              | _decl   | >= 2002  |          _decl joins the two tables
//     EndQuery                                 (optional)
//
// A cell holds a check mark (Check, CheckPlus, CheckDescending) followed by conditions:
// a value (field = value), "=", "<>", "<", ">", "<=", ">=" before a value, "like" before a
// pattern, "blank", "not" before any of them, an example element ("_" and a name), conditions
// that must all hold separated by ",", and alternatives separated by "or". Unquoted values
// holding ".." (any run of characters) or "@" (one character) are patterns, as is the operand
// of "like". Rows of one table must check the same fields.
//
// Rows change data with "Insert" or "Delete" under the table's name (every row of that table
// then carries the same word), or with "changeto" and a value or an example element at the end
// of a cell ("SP, changeto MG"). An inserted row gives values and example elements only.
class TdvQbeParser final {
public:
    // Raises EDBEngineError (SQLite's general error code) naming the line at fault.
    static TdvQbeQuery Parse(const QString& text);

private:
    static TdvQbeCell ParseCell(const QString& text, int line);
};
