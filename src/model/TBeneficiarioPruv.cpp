#include "model/TBeneficiarioPruv.h"

#include "model/IDeclaracao.h"

TBeneficiarioPruv::TBeneficiarioPruv(IDeclaracao* Declaracao)
    : TContribuinte(PorTamanho), FDeclaracao(Declaracao)
{
    if (FDeclaracao && FDeclaracao->Erros())
        SetErros(FDeclaracao->Erros());
}

std::uint8_t TBeneficiarioPruv::Verifica() const
{
    if (const std::uint8_t codigo = TContribuinte::Verifica(); codigo != 0)
        return codigo;
    return FDeclaracao ? 0 : 12;
}
