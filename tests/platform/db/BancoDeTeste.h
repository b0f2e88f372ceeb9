#pragma once
#include <QDir>
#include <QString>
#include <memory>
#include <vector>

#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TFieldDef.h"
#include "platform/db/sqlite/TIndexDef.h"
#include "support/ProgramaDeTeste.h"

// The data folder of the running test case, with its database.
inline QString PastaDados()
{
    const QString pasta = ProgramaDeTeste::Pasta() + QStringLiteral("/DADOS");
    QDir().mkpath(pasta);
    return pasta;
}

inline std::shared_ptr<TDatabase> Banco()
{
    return TDatabase::DaPasta(PastaDados());
}
