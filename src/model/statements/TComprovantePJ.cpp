#include "model/statements/TComprovantePJ.h"

#include "model/items/TPruvItem.h"

TComprovantePJ::TComprovantePJ(TBeneficiarioPruv& Beneficiario)
    : TComprovante(Beneficiario)
{}

TRendimentoMensalPJ& TComprovantePJ::GetLinha(int Indice)
{
    return *FLinhas.at(static_cast<std::size_t>(Indice));
}

const TRendimentoMensalPJ& TComprovantePJ::GetLinha(int Indice) const
{
    return *FLinhas.at(static_cast<std::size_t>(Indice));
}

int TComprovantePJ::LocalizaLinha(const QString& Codigo, int Mes) const
{
    for (int i = 0; i < QuantidadeLinhas(); ++i)
        if (FLinhas[i]->GetCodigo() == Codigo && FLinhas[i]->GetMes() == Mes)
            return i;
    return -1;
}

void TComprovantePJ::AdicionaItem(const TPruvItem& Item)
{
    TComprovante::AdicionaItem(Item);
    if (Item.GetCodigoRetencao().GetRegime() == QLatin1String("F"))
        return;
    const TCodigoRetencao& codigo = *FCodigos.emplace_back(std::make_unique<TCodigoRetencao>(Item.GetCodigoRetencao()));
    for (int mes = 1; mes <= 12; ++mes) {   // the 13th salary is not on this statement
        if (Item.GetValores().GetRendimento(mes).EhZero())
            continue;
        FLinhas.push_back(std::make_unique<TRendimentoMensalPJ>(Item, codigo, mes));
        (codigo.GetIn4() ? FPossuiLinhasIN4 : FPossuiLinhasOutros) = true;
    }
}

bool TComprovantePJ::GetAlterado() const
{
    if (!FAlterado) {
        FAlterado = GetInformacoesComplementares().GetAlterado() || GetInformacoesComplementaresIN4().GetAlterado();
        for (const auto& linha : FLinhas)
            FAlterado = FAlterado || linha->GetAlterado();
    }
    return FAlterado;
}

void TComprovantePJ::SetAlterado(bool Alterado)
{
    GetInformacoesComplementares().SetAlterado(Alterado);
    GetInformacoesComplementaresIN4().SetAlterado(Alterado);
    for (const auto& linha : FLinhas)
        linha->SetAlterado(Alterado);
    TComprovante::SetAlterado(Alterado);
}

void TComprovantePJ::Limpa()
{
    FLinhas.clear();   // first: they refer to the codes
    FCodigos.clear();
    FPossuiLinhasIN4 = false;
    FPossuiLinhasOutros = false;
    TComprovante::Limpa();
}
