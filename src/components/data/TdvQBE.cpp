#include "components/data/TdvQBE.h"

#include "components/data/TdvTable.h"
#include "platform/db/EDatabaseError.h"

TdvQBE::TdvQBE()
{
    // The query-by-example dataset does not check picture masks before posting.
    ValidateWithMask = false;
}

TdvQBE::~TdvQBE()
{
    CloseOnDestroy();
}

void TdvQBE::SetQBE(const QStringList& linhas)
{
    FQBE = linhas;
    if (Active()) {
        Close();
        Open();
    }
}

std::unique_ptr<TCursor> TdvQBE::CreateCursor()
{
    if (FQBE.isEmpty() || FQBE.front().isEmpty())
        throw EDatabaseError(QStringLiteral("%1: no query-by-example text to run").arg(Name()));
    throw EDatabaseError(QStringLiteral("%1: query-by-example text cannot run on this database engine").arg(Name()));
}

QString TdvQBE::LocalFilterRefusedText() const
{
    return QStringLiteral("Local Filtering is not supported on this QBE.");
}
