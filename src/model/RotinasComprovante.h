#pragma once
#include <QStringList>
#include <QVariantList>
#include <functional>

class TDatabase;
class TdvTable;
class TField;
class TMonetario;

// Routines shared by the collections of the income statements' tables, whose rows are kept by
// declaration key and beneficiary on the table's primary index.

// Shows the rows of the primary index between Inicio and Fim that also pass the filter lines:
// clears the filter, selects the primary index, applies the range, then the lines.
void FiltraFaixa(TdvTable& Tabela, const QVariantList& Inicio, const QVariantList& Fim, const QStringList& Linhas);

// Runs Acao as one transaction of Banco (a savepoint inside a transaction that is already open).
// On any failure the writes are rolled back, then Desfaz brings the tables in line with them; an
// engine error is raised as EColecaoError 141 naming Nome, any other error as it came.
void EmTransacao(TDatabase& Banco, const QString& Nome, const std::function<void()>& Acao,
                 const std::function<void()>& Desfaz);
// The same on the table's database, the table brought in line by DesfazEdicao.
void EmTransacao(TdvTable& Tabela, const std::function<void()>& Acao);

// Drops a pending edit and reads the rows again: after a rollback the rows the table holds may be
// gone or different, and an edit left pending would otherwise be posted when the table closes.
void DesfazEdicao(TdvTable& Tabela);

// From the first row to the end, Aplica reads each row; the rows it refuses (false) are deleted
// once the pass is over. True when some row was applied.
bool PercorreAplicando(TdvTable& Tabela, const std::function<bool()>& Aplica);

// Deletes every row in view, from the first.
void ExcluiEmVista(TdvTable& Tabela);

// Money columns hold the exact count of ten-thousandths; a negative amount is stored as 0.
void GravaMonetario(TField& Campo, const TMonetario& Valor);
