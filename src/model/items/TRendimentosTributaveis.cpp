#include "model/items/TRendimentosTributaveis.h"

void TRendimentosTributaveis::Limpa()
{
    LimpaRendimentos();
    LimpaDeducoes();
    LimpaImpostos();
}

void TRendimentosTributaveis::Copia(TRendimentosTributaveis& Destino) const
{
    Destino.FRendimento.CopiaDe(FRendimento);
    Destino.FDeducao.CopiaDe(FDeducao);
    Destino.FImposto.CopiaDe(FImposto);
}

bool TRendimentosTributaveis::Zerado() const
{
    return FRendimento.Zerada() && FDeducao.Zerada() && FImposto.Zerada();
}

bool TRendimentosTributaveis::GetAlterado() const
{
    if (!FAlterado)
        FAlterado = FRendimento.Alterada() || FImposto.Alterada() || FDeducao.Alterada();
    return FAlterado;
}

void TRendimentosTributaveis::SetAlterado(bool Alterado)
{
    FRendimento.SetAlterado(Alterado);
    FDeducao.SetAlterado(Alterado);
    FImposto.SetAlterado(Alterado);
    FAlterado = Alterado;
}
