#include "model/statements/TRendimentoParcial.h"

#include "model/items/TTotaisPruvItem.h"

TRendimentoParcial::TRendimentoParcial(TTotaisPruvItem& Totais)
    : FTotais(Totais)
{
    FRendimentoExclusivo.AdicionaSoma(FTotais.GetRendimento());
    FRendimentoExclusivo.AdicionaSubtracao(FRendimentoCompensavel);
    FImpostoExclusivo.AdicionaSoma(FTotais.GetImposto());
    FImpostoExclusivo.AdicionaSubtracao(FImpostoCompensavel);
}

const TMonetario& TRendimentoParcial::GetRendimentoTotal() const
{
    return FTotais.GetRendimento();
}

const TMonetario& TRendimentoParcial::GetImpostoTotal() const
{
    return FTotais.GetImposto();
}

const TMonetario& TRendimentoParcial::GetDeducoes() const
{
    return FTotais.GetDeducoes();
}

const QString& TRendimentoParcial::GetCodigo() const
{
    return FTotais.GetCodigo().GetCodigo();
}

bool TRendimentoParcial::Zerado() const
{
    return FRendimentoCompensavel.GetValor() == 0 && FImpostoCompensavel.GetValor() == 0;
}

bool TRendimentoParcial::GetAlterado() const
{
    if (!FAlterado)
        FAlterado = FRendimentoCompensavel.GetAlterado() || FImpostoCompensavel.GetAlterado();
    return FAlterado;
}

void TRendimentoParcial::SetAlterado(bool Alterado)
{
    FRendimentoCompensavel.SetAlterado(Alterado);
    FImpostoCompensavel.SetAlterado(Alterado);
    FAlterado = Alterado;
}
