#include "model/people/TBeneficiarioPruv.h"

#include "model/interfaces/IDeclaracao.h"
#include "model/interfaces/IDeclaracao.h"
#include "model/values/CodigoMensagem.h"

TBeneficiarioPruv::TBeneficiarioPruv(IDeclaracao* Declaracao)
    : TContribuinte(PorTamanho)
    , FDeclaracao(Declaracao)
{
    if (FDeclaracao && FDeclaracao->Erros())
        SetErros(FDeclaracao->Erros());
}

std::uint8_t TBeneficiarioPruv::Verifica() const
{
    if (const std::uint8_t codigo = TContribuinte::Verifica(); codigo != 0)
        return codigo;
    return FDeclaracao ? 0 : CodigoMensagem::BeneficiarioSemPruv;
}

QString TBeneficiarioPruv::TipoArmazenado() const
{
    // Asked for every item stored: the usual kinds are literals, nothing allocated.
    switch (TipoAtual()) {
    case Cpf:
        return QStringLiteral("1");
    case Cnpj:
        return QStringLiteral("2");
    default:
        return QString::number(TipoAtual());
    }
}
