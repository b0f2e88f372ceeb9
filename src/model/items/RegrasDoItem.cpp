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

}   // namespace RegrasDoItem
