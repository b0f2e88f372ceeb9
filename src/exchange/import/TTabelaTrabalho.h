#pragma once
#include <QString>
#include <memory>
#include <vector>

#include "platform/db/sqlite/TFieldDef.h"
#include "platform/db/sqlite/TIndexDef.h"

class TComando;
class TDatabase;

// A work table of an import in the database of the data folder: made empty when the import
// starts and emptied again when it ends. Engine failures raise EColecaoError 141 with the
// table's name and the engine's text.
class TTabelaTrabalho {
public:
    // Creates the table, or empties it when it exists with those columns.
    TTabelaTrabalho(QString Nome, const std::vector<TFieldDef>& Campos, const std::vector<TIndexDef>& Indices);
    virtual ~TTabelaTrabalho();
    TTabelaTrabalho(const TTabelaTrabalho&) = delete;
    TTabelaTrabalho& operator=(const TTabelaTrabalho&) = delete;

    void Esvazia();
    [[nodiscard]] int Quantidade();
    [[nodiscard]] const QString& Nome() const { return FNome; }

protected:
    // Runs the statement with its values bound in order; true when it gave a row.
    bool Executa(const QString& Sql, const QStringList& Valores);
    [[nodiscard]] QString Tabela() const;   // the name quoted for SQL

private:
    [[noreturn]] void Falha(const std::exception& Erro) const;

    QString FNome;
    std::shared_ptr<TDatabase> FBanco;
};
