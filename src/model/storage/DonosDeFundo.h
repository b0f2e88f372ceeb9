#pragma once
#include <QString>
#include <QStringList>

class TDatabase;

// The fund keys that the rows of items, judicial values and summaries carry as their owner
// (IN_ANEXO "1"), weighed against the funds that Anexo stores. A table not made yet holds no
// rows. Each raises EDatabaseError when the engine fails; the collections turn it into their
// numbered message.
namespace DonosDeFundo {

// A fund of that key belongs to that declaration.
[[nodiscard]] bool FundoArmazenado(TDatabase& Banco, const QString& ChaveDeclaracao, const QString& ChaveFundo);
// The same, for a collection about to write a row of that fund into its table (Tabela, named in
// the message): EColecaoError 55 when the fund is not stored, 141 when the engine fails.
void ExigeFundo(TDatabase& Banco, const QString& ChaveDeclaracao, const QString& ChaveFundo, const QString& Tabela);
// The highest all-digit fund key that an item or a judicial row of any declaration holds as its
// owner: a new fund's key is above it. 0 when there is none.
[[nodiscard]] qint64 MaiorChaveEmUso(TDatabase& Banco);
// The highest fund key ever given in the folder: the one recorded as given, or one that a fund, an
// item or a judicial row holds (a folder of an earlier program, or a backup of another folder).
// A new fund's key is above it.
[[nodiscard]] qint64 MaiorChaveDada(TDatabase& Banco);
// Records Chave as given (ChavesDadas).
void RegistraChaveDada(TDatabase& Banco, qint64 Chave);
// The owners of the declaration's fund items (IN_ANEXO "1") that are no fund of the declaration,
// in key order.
[[nodiscard]] QStringList ChavesSemFundo(TDatabase& Banco, const QString& ChaveDeclaracao);
// The declarations that hold such items, in key order: every fund item of the folder is read.
[[nodiscard]] QStringList DeclaracoesComItensSemFundo(TDatabase& Banco);

}   // namespace DonosDeFundo
