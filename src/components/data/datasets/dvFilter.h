#pragma once
#include <QByteArray>
#include <QString>
#include <functional>

class TDataSet;
class TTable;

// Filter expressions of the library's datasets: a small language over the dataset's field
// names ("ANO = 2002 AND (NR_PF = 5)") compiled into the engine's serialised expression
// (platform/db/cursors/CanExpr.h).
//
// Grammar: Logical := Relation { (AND | OR) Relation }, left to right without precedence;
// Relation := Expr [ comparison Expr ]; Expr := Term [ (+|-) Expr ]; Term := Primary [ (*|/) Term ];
// Primary := "(" Logical ")" | operand. The left operand of every operator must be a field of
// the dataset; the right one becomes a constant of that field's type. Text after a complete
// relation that is neither AND nor OR is ignored.

// The serialised expression, or an empty array when the text does not parse, names a field
// the dataset lacks (after the warning "<name>\rField not found in Table. ") or gives a value
// that does not fit its field.
QByteArray dvParseFilterExpression(const QString& expressao, TDataSet* dataSet);

// Installs the expression as the table's expression filter in place of the one of `handle`
// (0: none). An empty expression only removes the previous filter. A text that does not parse,
// or that the engine refuses, also removes it and gives false. A closed table that is not
// being opened keeps nothing (the filter is installed when its cursor is prepared). An open
// table is refreshed.
bool dvSetFilterExpression(const QString& expressao, TTable* tabela, int& handle, bool abrindo);

// Installs a record callback (true accepts) in place of the one of `handle`, or with none
// only removes it; an open dataset is refreshed.
bool dvSetFilterCallback(std::function<bool()> callback, TDataSet* dataSet, int& handle);
