#pragma once
#include <QStringList>
#include <QVariantList>
#include <functional>

class TdvTable;
class TField;
class TMonetario;

// Routines shared by the collections of the income statements' tables, whose rows are kept by
// declaration key and beneficiary on the table's primary index.

// Shows the rows of the primary index between Inicio and Fim that also pass the filter lines:
// clears the filter, selects the primary index, applies the range, then the lines.
void FiltraFaixa(TdvTable& Tabela, const QVariantList& Inicio, const QVariantList& Fim, const QStringList& Linhas);

// From the first row to the end, Aplica reads each row; the rows it refuses (false) are deleted
// once the pass is over. True when some row was applied.
bool PercorreAplicando(TdvTable& Tabela, const std::function<bool()>& Aplica);

// Deletes every row in view, from the first.
void ExcluiEmVista(TdvTable& Tabela);

// Money columns hold the exact count of ten-thousandths; a negative amount is stored as 0.
void GravaMonetario(TField& Campo, const TMonetario& Valor);
