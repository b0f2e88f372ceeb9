#include "model/declaration/TDeclaranteAnexo.h"

#include "model/declaration/TPruvAnexo.h"
#include "model/values/CodigoMensagem.h"

TDeclaranteAnexo::TDeclaranteAnexo(const TPruvAnexo& Declaracao)
    : TContribuinte(TNiContribuinte::Cnpj, true)
    , FDeclaracao(Declaracao)
{}

void TDeclaranteAnexo::SetNi(const QString& Texto)
{
    TContribuinte::SetNi(Texto);
    if (MesmoDoAdministrador())
        throw ErroMesmoDoAdministrador();
}

void TDeclaranteAnexo::SetNiSemExcecao(const QString& Texto)
{
    TContribuinte::SetNiSemExcecao(Texto);
    if (MesmoDoAdministrador())
        RegistraErro(Erros(), ErroMesmoDoAdministrador());
}

bool TDeclaranteAnexo::MesmoDoAdministrador() const
{
    const QString numero = GetNiFormatado();
    return !numero.isEmpty() && numero == FDeclaracao.GetDeclarante().GetNiFormatado();
}

EAnexoInvalido TDeclaranteAnexo::ErroMesmoDoAdministrador() const
{
    return EAnexoInvalido(CodigoMensagem::FundoIgualAoAdministrador, GetNiFormatado(), 0);
}
