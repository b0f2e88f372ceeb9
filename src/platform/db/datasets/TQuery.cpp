#include "platform/db/datasets/TQuery.h"

#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/cursors/TCursorConsulta.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TTransacao.h"

TQuery::~TQuery()
{
    try {
        Close();
    } catch (const std::exception& e) {
        qWarning("closing a query: %s", e.what());
    }
}

void TQuery::SetSQL(const QStringList& linhas)
{
    Close();
    FSQL = linhas;
    FParams.ParseSQL(Texto());
}

std::vector<std::pair<QString, QVariant>> TQuery::ValoresParametros() const
{
    std::vector<std::pair<QString, QVariant>> valores;
    auto& parametros = const_cast<TParams&>(FParams);
    for (int i = 0; i < parametros.Count(); ++i)
        valores.emplace_back(parametros.Items(i).Name(), parametros.Items(i).Value());
    return valores;
}

std::unique_ptr<TCursor> TQuery::CreateCursor()
{
    if (Texto().trimmed().isEmpty())
        throw EDatabaseError(QStringLiteral("No SQL statement available"));
    return std::make_unique<TCursorConsulta>(*OpenDatabase(), Texto(), ValoresParametros());
}

void TQuery::ExecSQL()
{
    if (Texto().trimmed().isEmpty())
        throw EDatabaseError(QStringLiteral("No SQL statement available"));
    auto banco = OpenDatabase();
    TComando comando(banco->Conexao(), Texto());
    TCursorConsulta::LigaParametros(comando, ValoresParametros());
    if (comando.SomenteLeitura()) {
        comando.Executa();
        FRowsAffected = 0;
        return;
    }
    TTransacao transacao(*banco);
    banco->Escreve(comando);
    FRowsAffected = banco->Alteracoes();
    transacao.Confirma();
}
