#pragma once
#include <QString>

class TDataSet;
struct TIndexDef;
class TTable;
class TdvTable;

// A table of the library with index fields.
bool dvIsIndexedTable(TDataSet* dataset);
// A table of the library whose rows come from its Query lines.
bool dvIsQueryTable(TDataSet* dataset);

// The definition of the index that orders the table now (by IndexName, by IndexFieldNames, or
// the primary one); null when none can be told.
const TIndexDef* dvCurrentIndexDef(TTable& table);

// The incremental search of a table on its current index: fieldPosition (0 to 3) names the
// index field typed into; the fields before it keep the current record's values. A text that
// does not suit the field's type answers false without moving. With NarrowSearch the table is
// narrowed to a range (a text field: from the text to the text padded with
// NarrowSearchUpperChar; empty text: no range); otherwise it moves to the first record that
// begins with the text (the first record for empty text). True when the searched field of the
// record reached begins with the text (text fields) or equals it. Without a current index,
// shows "Table <name>: Table index not found" and answers false.
bool dvIndexSearch(TdvTable* table, const QString& text, int fieldPosition);
