#pragma once
#include <QString>
#include <memory>
#include <vector>

#include "platform/db/sqlite/TFieldDef.h"

class TDataSet;
class TdvTable;

// The verification table of the data folder: one row per line of a verification's result, in
// the order written. It has no key, so its rows come back in the order they were appended.
//
// DESCRICAO starts with a two-character code: "00" a warning, "01" an error, "08" a declarant's
// heading, "09" a fund's heading, "10" a section with pending items, "20" a section without;
// plain and blank lines have none. Headings and plain lines have empty keys and 255 as object and
// gravity.
namespace TabelaVerifica {

inline constexpr char NomeArquivo[] = "Verifica.DB";
inline constexpr char A_QUEM_PERTENCE[] = "A_QUEM_PERTENCE";
inline constexpr char QUEM_EH[] = "QUEM_EH";
inline constexpr char OBJETO[] = "OBJETO";
inline constexpr char GRAVIDADE[] = "GRAVIDADE";
inline constexpr char DESCRICAO[] = "DESCRICAO";

// Object and gravity of a heading or plain line.
inline constexpr int SemObjeto = 255;
inline constexpr int GravidadeAviso = 0;
inline constexpr int GravidadeErro = 1;

[[nodiscard]] std::vector<TFieldDef> Campos();

// Empties the table and opens it again: it is made when the database does not have it yet, then
// emptied, packed and opened. Raises EDadosError 142 when it cannot be made and EDbError 141 when
// it cannot be emptied. False when it could not be opened: message 142 has been shown and the
// table is closed.
bool Reinicia(TdvTable& Tabela);

// Appends one row to the open table and posts it. Raises EDbError 141; the row is then dropped.
void Inclui(TdvTable& Tabela, const QString& AQuemPertence, const QString& QuemEh, int Objeto, int Gravidade,
            const QString& Descricao);

// The two-character code of a description, and what it shows after the code.
[[nodiscard]] QString Codigo(const QString& Descricao);
[[nodiscard]] QString Texto(const QString& Descricao, int Tamanho);

// The current row's columns.
[[nodiscard]] QString Descricao(const TDataSet& Tabela);
[[nodiscard]] int Gravidade(const TDataSet& Tabela);
// The current row is an error or a warning (not a heading or a plain line).
[[nodiscard]] bool ItemPendente(const TDataSet& Tabela);

}   // namespace TabelaVerifica
