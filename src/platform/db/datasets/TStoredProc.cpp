#include "platform/db/datasets/TStoredProc.h"

#include "platform/db/sqlite/EDatabaseError.h"

namespace {

[[noreturn]] void NaoSuportado(const QString& nome)
{
    throw EDatabaseError(
        QStringLiteral("Stored procedure '%1' cannot run: the database engine has no stored procedures").arg(nome));
}

}   // namespace

TStoredProc::~TStoredProc()
{
    try {
        Close();
    } catch (const std::exception& e) {
        qWarning("closing a stored procedure: %s", e.what());
    }
}

void TStoredProc::ExecProc()
{
    NaoSuportado(FStoredProcName);
}

std::unique_ptr<TCursor> TStoredProc::CreateCursor()
{
    NaoSuportado(FStoredProcName);
}
