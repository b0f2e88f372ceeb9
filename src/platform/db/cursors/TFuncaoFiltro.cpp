#include "platform/db/cursors/TFuncaoFiltro.h"

#include <sqlite3.h>
#include <unordered_set>

#include "platform/db/sqlite/EDatabaseError.h"

namespace {

// Connections that have the function; a connection leaves when SQLite drops the function as it
// closes, so that a later connection at the same address registers it again.
std::unordered_set<sqlite3*>& Registradas()
{
    static std::unordered_set<sqlite3*> conexoes;
    return conexoes;
}

void Esquece(void* conexao)
{
    Registradas().erase(static_cast<sqlite3*>(conexao));
}

void Chama(sqlite3_context* contexto, int argumentos, sqlite3_value** valores)
{
    // Asked on every row: the evaluator found in the first argument is kept with it, which SQLite
    // does for as long as that argument (a bound parameter) stays as it is.
    auto* avaliador = static_cast<TFuncaoFiltro::IAvaliador*>(sqlite3_get_auxdata(contexto, 0));
    if (!avaliador && argumentos > 0) {
        avaliador = static_cast<TFuncaoFiltro::IAvaliador*>(
            sqlite3_value_pointer(valores[0], TFuncaoFiltro::TipoPonteiro));
        if (avaliador)
            sqlite3_set_auxdata(contexto, 0, avaliador, nullptr);
    }
    const int resultado = avaliador ? avaliador->Avalia(argumentos, valores) : -1;
    if (resultado < 0)
        sqlite3_result_error(contexto, "record filter stopped", -1);
    else
        sqlite3_result_int(contexto, resultado);
}

}   // namespace

void TFuncaoFiltro::Registra(sqlite3* conexao)
{
    if (Registradas().count(conexao) != 0)
        return;
    // Not deterministic: the filters answer by the program's state, and each row is asked anew.
    const int rc = sqlite3_create_function_v2(conexao, Nome, -1, SQLITE_UTF8 | SQLITE_DIRECTONLY, conexao, &Chama,
                                              nullptr, nullptr, &Esquece);
    if (rc != SQLITE_OK)
        throw EDBEngineError(QString::fromUtf8(sqlite3_errmsg(conexao)), rc);
    Registradas().insert(conexao);
}
