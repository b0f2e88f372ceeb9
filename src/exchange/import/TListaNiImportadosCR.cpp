#include "exchange/import/TListaNiImportadosCR.h"

#include <QStringList>

#include "platform/db/sqlite/TFieldType.h"

TListaNiImportadosCR::TListaNiImportadosCR()
    : TTabelaTrabalho(QStringLiteral("ImpComp"), {{QStringLiteral("CPF"), ftString, 11, false}},
                      {{QString(), QStringLiteral("CPF"), TIndexOption::ixPrimary}})
{}

bool TListaNiImportadosCR::Inclui(const QString& Cpf)
{
    if (Executa(QStringLiteral("SELECT 1 FROM ") + Tabela() + QStringLiteral(" WHERE \"CPF\" = ?1"), {Cpf}))
        return false;
    Executa(QStringLiteral("INSERT INTO ") + Tabela() + QStringLiteral(" (\"CPF\") VALUES (?1)"), {Cpf});
    return true;
}
