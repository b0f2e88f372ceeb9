#include "model/statements/TComprovante.h"

#include "model/interfaces/IDeclaracao.h"
#include "model/items/IItensBeneficiario.h"
#include "model/items/TPruvItem.h"
#include "model/people/TBeneficiarioPruv.h"

TComprovante::TComprovante(TBeneficiarioPruv& Beneficiario)
    : FBeneficiario(Beneficiario)
{}

QString TComprovante::GetAno() const
{
    const IDeclaracao* declaracao = FBeneficiario.GetDeclaracao();
    return declaracao ? declaracao->GetAno() : QString();
}

QString TComprovante::GetChaveDeclaracao() const
{
    const IDeclaracao* declaracao = FBeneficiario.GetDeclaracao();
    return declaracao ? declaracao->GetChave() : QString();
}

void TComprovante::AdicionaItens(IItensBeneficiario& Itens)
{
    Itens.ParaCadaItem(FBeneficiario, [this](const TPruvItem& Item) { AdicionaItem(Item); });
}

void TComprovante::AdicionaItem(const TPruvItem& Item)
{
    if (Item.GetInAnexo() == QLatin1String("0"))
        FPossuiItemDeclaracao = true;
    ++FQuantidadeItens;
}

void TComprovante::Limpa()
{
    FInfoCompl.Limpa();
    FInfoComplIN4.Limpa();
    FQuantidadeItens = 0;
    FPossuiItemDeclaracao = false;
}
