#pragma once
#include <QList>
#include <QString>
#include <utility>

class TdvTable;

// The table of the states of the data folder (Tabuf): the places a declaration can be
// transmitted from, each a two-letter code (SG_UF, its key) and its name in capitals (NM_UF).
namespace TabelaUf {

inline constexpr char NomeArquivo[] = "Tabuf.DB";
inline constexpr char SG_UF[] = "SG_UF";
inline constexpr char NM_UF[] = "NM_UF";

// Opens the table, made and filled with every state when the database has none yet (or holds it
// empty). Raises EDadosError 142 when it cannot be made and EColecaoError 141 when it cannot be
// filled; false when it could not be opened (message 142 shown).
bool Abre(TdvTable& Tabela);

// The states in code order, (code, name); read through Abre on a table of its own.
[[nodiscard]] QList<std::pair<QString, QString>> Lista();

}   // namespace TabelaUf
