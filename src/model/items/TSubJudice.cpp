#include "model/items/TSubJudice.h"

void TSubJudice::Limpa()
{
    TRendimentosTributaveis::Limpa();
    LimpaDepositos();
}

void TSubJudice::Copia(TSubJudice& Destino) const
{
    TRendimentosTributaveis::Copia(Destino);
    Destino.FDeposito.CopiaDe(FDeposito);
}

bool TSubJudice::GetAlterado() const
{
    return TRendimentosTributaveis::GetAlterado() || FDeposito.Alterada();
}

void TSubJudice::SetAlterado(bool Alterado)
{
    TRendimentosTributaveis::SetAlterado(Alterado);
    FDeposito.SetAlterado(Alterado);
}
