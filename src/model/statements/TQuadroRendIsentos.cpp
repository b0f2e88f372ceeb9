#include "model/statements/TQuadroRendIsentos.h"

TQuadroRendIsentos::TQuadroRendIsentos(const QString& Ano)
    : FLinha1(Ano)
{}

void TQuadroRendIsentos::Limpa()
{
    FLinha1.Limpa();
    for (TMonetario& linha : FLinhas)
        linha.Limpa();
    FDescricaoLinha8.Limpa();
}

bool TQuadroRendIsentos::PossuiValores() const
{
    if (!FLinha1.EhZero() || !FDescricaoLinha8.GetTexto().isEmpty())
        return true;
    for (const TMonetario& linha : FLinhas)
        if (!linha.EhZero())
            return true;
    return false;
}

bool TQuadroRendIsentos::GetAlterado() const
{
    if (!FAlterado) {
        FAlterado = FLinha1.GetAlterado() || FDescricaoLinha8.GetAlterado();
        for (const TMonetario& linha : FLinhas)
            FAlterado = FAlterado || linha.GetAlterado();
    }
    return FAlterado;
}

void TQuadroRendIsentos::SetAlterado(bool Alterado)
{
    FLinha1.SetAlterado(Alterado);
    for (TMonetario& linha : FLinhas)
        linha.SetAlterado(Alterado);
    FDescricaoLinha8.SetAlterado(Alterado);
    FAlterado = Alterado;
}
