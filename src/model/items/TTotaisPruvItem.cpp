#include "model/items/TTotaisPruvItem.h"

#include "model/items/TPruvItem.h"

TTotaisPruvItem::TTotaisPruvItem(const TPruvItem& Item)
    : FCodigo(Item.GetCodigoRetencao())
{
    const TRendimentosTributaveis& valores = Item.GetValores();
    const TCompensacao& compensacao = Item.GetCompensacao();
    const TSubJudice& subJudice = Item.GetSubJudice();

    FRendimento.SetValor(valores.Rendimentos().Total().GetValorPositivo());
    // What the item's overall tax total holds, read through its parts as the item is const here.
    FImposto.SetValor(
        TMonetario::SomaExata(TMonetario::SomaExata(valores.Impostos().Total().GetValorPositivo(),
                                                    compensacao.CompensacoesAno().Total().GetValorPositivo()),
                              compensacao.CompensacoesAnosAnteriores().Total().GetValorPositivo()));
    FCompensacaoAnosAnteriores.SetValor(compensacao.CompensacoesAnosAnteriores().SomaAno());
    Item.CalculaLiquido(13, FLiquido13);
    FLiquido13SubJudice.SetValor(subJudice.GetRendimento(13).GetValorPositivo()
                                 - subJudice.GetDeducao(13).GetValorPositivo()
                                 - subJudice.GetDeposito(13).GetValorPositivo());
    FRendimentoSubJudice.SetValor(subJudice.Rendimentos().Total().GetValorPositivo());
    FImpostoSubJudice.SetValor(subJudice.Impostos().Total().GetValorPositivo());
    FDepositos.SetValor(subJudice.Depositos().Total().GetValorPositivo());
    FDeducoes.SetValor(valores.Deducoes().Total().GetValorPositivo());
    FDeducoesSubJudice.SetValor(subJudice.Deducoes().Total().GetValorPositivo());
}
