#include "model/statements/TQuadroRendTributaveis.h"

TQuadroRendTributaveis::TQuadroRendTributaveis()
{
    FLinha1.AdicionaSoma(FRendimentoProprio);
    FTotal.AdicionaSoma(FImpostoProprio);
}

void TQuadroRendTributaveis::Limpa()
{
    for (TMonetario* valor : {&FRendimentoProprio, &FLinha2, &FLinha3, &FLinha4, &FImpostoProprio, &FDeducoesPruv})
        valor->Limpa();
    FLinha1.Limpa();
    FLinha1.AdicionaSoma(FRendimentoProprio);
    FTotal.Limpa();
    FTotal.AdicionaSoma(FImpostoProprio);
}

bool TQuadroRendTributaveis::PossuiValores() const
{
    return !FLinha2.EhZero() || !FLinha3.EhZero() || !FLinha4.EhZero();
}

bool TQuadroRendTributaveis::GetAlterado() const
{
    if (!FAlterado)
        FAlterado = FLinha2.GetAlterado() || FLinha3.GetAlterado() || FLinha4.GetAlterado();
    return FAlterado;
}

void TQuadroRendTributaveis::SetAlterado(bool Alterado)
{
    for (TMonetario* valor : {&FRendimentoProprio, &FLinha2, &FLinha3, &FLinha4, &FImpostoProprio})
        valor->SetAlterado(Alterado);
    FAlterado = Alterado;
}
