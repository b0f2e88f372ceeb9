#pragma once
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <exception>
#include <functional>
#include <memory>

class EDatabaseError;
class TDatabase;
class TdvTable;

// Selecting an index of a collection failed. The automatic backup at exit is skipped while it is
// set; a successful reorganisation of the tables clears it.
extern bool ErroIndice;

// The routines that the screens, the assistants and the exchange files use on tables of their
// own, and that the collections share. Every table lives in the data folder.

// A new table on that table name of the data folder, closed.
std::unique_ptr<TdvTable> CriaTabela(const QString& NomeArquivo);
// Closes the table when open, points it at the data folder and opens it, under the busy cursor.
// When the engine refuses, shows message 142 with the table name and the engine's text and
// answers false; the table is then closed.
bool AbreTabela(TdvTable& Tabela);
// Empties the filter lines, applies that and closes the table, when it is open.
void FechaTabela(TdvTable& Tabela);
// Posts a pending edit of an open table. Every post is its own transaction, so it is then on the
// disk; while write-through is off the writes are committed when it is turned back on.
void GravaDisco(TdvTable& Tabela);
// Posts a pending edit and flushes. Raises EDbError 141 with the table name and the engine's
// text; the row is then left in its edit state and nothing of it is written.
bool GravaTabela(TdvTable& Tabela);
// Closes and packs the table under the busy cursor; when packing fails asks (error, Yes and No)
// whether to try again. The table is left closed.
void CompactaTabela(TdvTable& Tabela);

// The table holds a row being edited or inserted.
[[nodiscard]] bool EmEdicao(const TdvTable& Tabela);
// After the transaction around a write was rolled back: drops the table's pending edit (or key)
// and reads its rows again, so that it shows what is stored; an edit left pending would
// otherwise be posted when the table closes. Nothing on a closed table.
void DescartaEdicao(TdvTable& Tabela);

// Runs Acao as one transaction of Banco (a savepoint inside a transaction that is already open).
// On any failure the writes are rolled back, then Desfaz brings the tables in line with them; an
// engine error is raised as EColecaoError 141 naming Nome, any other error as it came.
void EmTransacao(TDatabase& Banco, const QString& Nome, const std::function<void()>& Acao,
                 const std::function<void()>& Desfaz);
// The same on the table's database, the table brought in line by DescartaEdicao.
void EmTransacao(TdvTable& Tabela, const std::function<void()>& Acao);

// Runs Acao with the table's rereading held back until it ends, whichever way it ends: the rows
// are read once, under the order, range and filter Acao leaves (opening included).
void EmReposicaoAdiada(TdvTable& Tabela, const std::function<void()>& Acao);

// Sets the index (an empty name is the primary index). When the engine refuses, sets ErroIndice
// and raises EDadosError 143 with the index name and the engine's text; the order is unchanged.
void SelecionaIndiceTabela(TdvTable& Tabela, const QString& Nome);

// Restricts an open table to a range of an index (an empty name is the primary index) and to
// filter lines ("FIELD = value") that select the same rows; the filter lines in force go first.
// Raises EDadosError 143 when the index cannot be selected.
void RestringeTabela(TdvTable& Tabela, const QString& Indice, const QVariantList& Inicio, const QVariantList& Fim,
                     const QStringList& Linhas);

// The engine's text for a numbered message: its reason in Portuguese (SQLite's own text goes to
// the log), with what mends a damaged file, ";" replaced, which would split the message's
// parameter. A failure of the engine without a reason of its own is told by its code.
QString TextoDoMotor(const EDatabaseError& Erro);
// The text of any failure for a numbered message's parameter: the engine's as TextoDoMotor, else
// the failure's own text.
QString TextoDaFalha(const std::exception& Erro);
// The parameters of messages 141 (one blank after the full stop) and 142, 143 (two blanks).
QString ParametroEscrita(const QString& Nome, const EDatabaseError& Erro);
QString ParametroAbertura(const QString& Nome, const EDatabaseError& Erro);
