#include "components/data/TdvStoredProc.h"

#include "components/data/TdvQuery.h"
#include "components/data/TdvTable.h"

TdvStoredProc::~TdvStoredProc()
{
    CloseOnDestroy();
}

QString TdvStoredProc::LocalFilterRefusedText() const
{
    return TdvQuery::RefusedLocalFilterText();
}
