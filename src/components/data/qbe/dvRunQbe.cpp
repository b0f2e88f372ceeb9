#include "components/data/qbe/dvRunQbe.h"

#include "components/data/qbe/TdvQbeSqlBuilder.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/cursors/TCursorConsulta.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TTransacao.h"

std::unique_ptr<TCursor> dvRunQbe(TDatabase& database, const TdvQbeQuery& query, bool blankAsZero)
{
    TdvQbeSqlBuilder construtor(database, blankAsZero);
    if (!query.ChangesData()) {
        const TdvQbeSql sql = construtor.Build(query);
        return std::make_unique<TCursorConsulta>(database, sql.Sql, sql.Params);
    }
    const std::vector<TdvQbeSql> comandos = construtor.BuildChanges(query);
    TTransacao transacao(database);
    for (const TdvQbeSql& sql : comandos) {
        TComando comando(database.Conexao(), sql.Sql);
        TCursorConsulta::LigaParametros(comando, sql.Params);
        database.Escreve(comando);
    }
    transacao.Confirma();
    return nullptr;
}
