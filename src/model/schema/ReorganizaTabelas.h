#pragma once
#include <QString>
#include <QtGlobal>

class IProgresso;

// The rebuild of the item table failed during a reorganisation (the old table was kept): the
// index lines of the item table are then applied to it instead of being skipped. A successful
// reorganisation clears it.
extern bool FalhaItens;

// Reorganises the tables of the data folder; every collection must be closed. In order:
// - the index file ArquivoIndices (empty: the program's, TArquivoIndices::Localiza) must exist,
//   else an error dialog and nothing changes;
// - with LimparExclusoes, the space of deleted rows is given back (the whole database file is
//   packed once, after the item table was rebuilt, so that the old item table's space goes too);
// - free space: with LimparExclusoes and VerificaEspaco, 1.4 times the item table's size; else
//   the item table's size. Too little shows message 151 and nothing changes; a size that cannot
//   be told shows 152 and the work goes on;
// - the item table is rebuilt as a fresh table of its collection's definition (TColecaoPruvItem)
//   with its indexes, in one transaction: a failure, or columns that are not the definition's,
//   leave it as it was and set FalhaItens; rows that do not fit the copy keep the old table;
// - each line of the index file recreates its index, case-insensitive; the first line that
//   fails ends the pass.
// Gauge shows the progress and each step in its caption, ending with the outcome. True on
// success, FalhaItens and ErroIndice then cleared; otherwise both are left as they were.
bool ReorganizaTabelas(IProgresso& Gauge, bool LimparExclusoes, bool VerificaEspaco,
                       const QString& ArquivoIndices = QString());

// Applies one line of the index file. A line of the item table counts as applied without doing
// anything unless FalhaItens is set (the rebuilt table has its indexes), and so does a line of
// a table that does not exist yet (its collection creates it with its indexes). A named index
// replaces the one of that name, in one transaction; the primary index is the table's own and
// nothing is built for it. A database failure shows "Não foi possível abrir a tabela " + the
// table's name. The gauge advances by one while it is below 100.
bool CriaIndiceDaLinha(const QString& Linha, IProgresso& Gauge);

// The free space that packing needs: 1.4 times the item table's size, rounded.
qint64 EspacoParaCompactar(qint64 TamanhoItens);
