#include "model/items/RegrasDoItem.h"

#include "model/codes/RegrasDosCodigos.h"
#include "model/interfaces/IDeclaracao.h"
#include "model/items/TPruvItem.h"

namespace RegrasDoItem {

bool MantemDecimoTerceiro(const TPruvItem& Item)
{
    return RegrasDosCodigos::DecimoTerceiro(Item.GetCodigoRetencao().GetCodigo(), Item.GetDeclaracao().GetAno());
}

bool AdmiteDeducoes(const TPruvItem& Item)
{
    return Item.GetCodigoRetencao().GetDeducao() && Item.GetBeneficiario().TipoAtual() != TNiContribuinte::Cnpj;
}

bool AdmiteJudicial(const TPruvItem& Item)
{
    return Item.GetCodigoRetencao().GetSubJudice() && Item.GetDeclaracao().GetAno() >= QLatin1String("2000");
}

}   // namespace RegrasDoItem
