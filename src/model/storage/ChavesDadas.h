#pragma once
#include <QString>
#include <vector>

#include "platform/db/sqlite/TFieldDef.h"
#include "platform/db/sqlite/TIndexDef.h"

class TDatabase;

// The highest key ever given in the program folder, one row per key column (table ChavesDadas):
// a key once given is not given again, whatever took its rows away afterwards. It lives in the
// database beside the rows it gives keys to, so a write undone gives its key back with it. Each
// raises EDatabaseError when the engine fails; the collections turn it into their numbered
// message.
namespace ChavesDadas {

[[nodiscard]] QString NomeArquivo();   // "ChavesDadas.db"
[[nodiscard]] std::vector<TFieldDef> Campos();
[[nodiscard]] std::vector<TIndexDef> Indices();

// The highest key given in the column; 0 when none was recorded (or the table is not made yet).
[[nodiscard]] qint64 Maior(TDatabase& Banco, const QString& Coluna);
// Records Chave as given in the column when it is above the highest recorded; never lowers it.
// Makes the table when it is missing.
void Registra(TDatabase& Banco, const QString& Coluna, qint64 Chave);

}   // namespace ChavesDadas
