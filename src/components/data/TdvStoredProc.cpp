#include "components/data/TdvStoredProc.h"

#include "components/data/TdvQuery.h"
#include "components/data/TdvTable.h"

TdvStoredProc::~TdvStoredProc()
{
    FDestruindo = true;
    try {
        Close();
    } catch (const std::exception& e) {
        qWarning("closing a stored procedure: %s", e.what());
    }
}

QString TdvStoredProc::LocalFilterRefusedText() const
{
    return TdvQuery::RefusedLocalFilterText();
}
