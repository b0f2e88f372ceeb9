#pragma once
#include <QString>
#include <vector>

#include "platform/db/sqlite/TFieldDef.h"
#include "platform/db/sqlite/TIndexDef.h"

class TDatabase;

// One table of the data folder: its name, columns and indexes.
struct TTabelaPrograma {
    QString Nome;
    std::vector<TFieldDef> Campos;
    std::vector<TIndexDef> Indices;
};

// The states table and the verification table, which the assistants open and fill.
[[nodiscard]] TTabelaPrograma TabelaUfPrograma();
[[nodiscard]] TTabelaPrograma TabelaVerificaPrograma();
// The delivery files found on the volumes, listed anew at every search.
[[nodiscard]] TTabelaPrograma TabelaGeradasPrograma();

// Every table of the program, each as the collection that uses it makes it.
[[nodiscard]] std::vector<TTabelaPrograma> TabelasPrograma();

// Makes, in one transaction, every table of TabelasPrograma that the database does not have
// yet, and brings those that an older program made up to today's columns, keeping their rows.
// Done when the database is opened: a table first made inside a transaction that is later
// rolled back would vanish under the collections already using it. Raises EDadosError 142
// naming the table that could not be made or brought up (as when its rows would not fit); the
// database file when none was at work, as when another program holds it, which the message then
// says. Then none of them is made or changed.
void CriaTabelasPrograma(TDatabase& Banco);
