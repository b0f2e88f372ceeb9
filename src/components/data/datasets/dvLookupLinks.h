#pragma once
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class TDataSet;
class TField;
class TdvTable;

// Lookup fields of the library's datasets: a LookupFields line names the lookup table
// (FIELD;DatabaseName;TableName;LookupField;IndexName;IndexField1;...) and the LookupLinks line
// of the same index pairs master and lookup fields (master;lookup;master;lookup...). The lookup
// tables are opened on first use and kept, one per table, in the dataset's list.

using TdvLookupTables = std::vector<std::unique_ptr<TdvTable>>;

// The lookup tables of a dataset of the library; nullptr for other datasets.
TdvLookupTables* dvGetLookupTables(TDataSet* dataset);

// Positions every lookup table on the master values of its links, going on through lookup
// tables that have lookup fields of their own. A link whose master field does not exist hides
// the lookup field. Lists may be null.
void dvDataSetUpdateLookupLinks(TDataSet* dataset, QStringList* lookupFields, QStringList* lookupLinks,
                                TdvLookupTables* lookupTables);

// Selects the lookup table's index (the index fields from the sixth token of the LookupFields
// line on, else the index name of the fifth) and positions it on the links' master values.
bool dvSyncLookupTable(TdvTable* lookupTable, TDataSet* master, const QStringList& lookupFieldsTokens,
                       const QString& links);

// With a current index, LookupFindKey on the texts of the master fields of the first six links;
// without one, an exact search, not case-sensitive, of the first master field's text in the
// first lookup field.
bool dvPositionLookupTable(TdvTable* lookupTable, TDataSet* master, const QStringList& linkTokens);

// Positions the lookup table of a lookup field on the text of its first master field; gives
// the lookup table's result field and that master value.
bool dvFindLookupRecord(TDataSet* dataset, const TField* field, TField*& resultField, QString& masterValue);
