#include "model/declaration/TPruvAnexo.h"

#include <stdexcept>

TPruvAnexo::TPruvAnexo()
    : FResumo(std::make_unique<TResumo>(this))
{}

TPruvAnexo::~TPruvAnexo() = default;

void TPruvAnexo::Limpa()
{
    FItens.reset();
    FResumo.reset();
    if (FDeclarante)
        FDeclarante->Limpa();
    FChave.clear();
}

void TPruvAnexo::LiberaItens()
{
    FItens.reset();
}

TContribuinte& TPruvAnexo::GetDeclarante() const
{
    if (!FDeclarante)
        throw std::logic_error("TPruvAnexo sem declarante");
    return *FDeclarante;
}

TResumo& TPruvAnexo::GetResumo()
{
    if (!FResumo)
        FResumo = std::make_unique<TResumo>(this);
    return *FResumo;
}

void TPruvAnexo::Copia(TPruvAnexo& Destino)
{
    Destino.SetChave(FChave);
    if (FDeclarante)
        FDeclarante->AtribuiA(Destino.GetDeclarante());
    GetResumo().Copia(Destino.GetResumo());
}
