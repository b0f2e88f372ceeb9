#pragma once
#include <functional>

class TdvTable;

// Routines shared by the collections of the income statements' tables, whose rows are kept by
// declaration key and beneficiary on the table's primary index.

// From the first row to the end, Aplica reads each row; the rows it refuses (false) are deleted
// once the pass is over. True when some row was applied.
bool PercorreAplicando(TdvTable& Tabela, const std::function<bool()>& Aplica);

// Deletes every row in view, from the first.
void ExcluiEmVista(TdvTable& Tabela);
