#include "components/data/datasets/TdvQuery.h"

#include "components/data/datasets/TdvTable.h"

namespace {

const char* const FiltroLocalRecusado =
    "Local filtering is not supported on a Live-Query which contains a Where clause in the SQL string. To perform a "
    "local filter on this query, you will need to set its RequestLive property to False.";

}   // namespace

TdvQuery::~TdvQuery()
{
    CloseOnDestroy();
}

QString TdvQuery::RefusedLocalFilterText()
{
    return QString::fromLatin1(FiltroLocalRecusado);
}
