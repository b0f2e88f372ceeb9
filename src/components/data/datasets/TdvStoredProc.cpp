#include "components/data/datasets/TdvStoredProc.h"

#include "components/data/datasets/TdvQuery.h"
#include "components/data/datasets/TdvTable.h"

TdvStoredProc::~TdvStoredProc()
{
    CloseOnDestroy();
}

QString TdvStoredProc::LocalFilterRefusedText() const
{
    return TdvQuery::RefusedLocalFilterText();
}
