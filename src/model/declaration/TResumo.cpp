#include "model/declaration/TResumo.h"

#include "model/interfaces/IDeclaracao.h"
#include "model/items/TPruvItem.h"
#include "model/values/TErro.h"

TResumo::TResumo(TPruvAnexo* Dono)
    : FDono(Dono)
{}

std::array<TMonetario*, TResumo::QuantidadeValores> TResumo::Valores()
{
    return {&FTotBenef,  &FTotRend,       &FTotDed,       &FTotIrrf,       &FTotAnoAtu,
            &FTotAnoAnt, &FTotRendSubJud, &FTotDedSubJud, &FTotIrrfSubJud, &FTotDepSubJud};
}

void TResumo::Zera()
{
    FOK = false;
    for (TMonetario* valor : Valores())
        valor->SetValor(0);
}

void TResumo::Soma(TResumo& Outro)
{
    const auto meus = Valores();
    const auto outros = Outro.Valores();
    for (int i = 0; i < QuantidadeValores; ++i)
        meus[i]->SetValor(TMonetario::SomaExata(meus[i]->GetValorPositivo(), outros[i]->GetValorPositivo()));
    FOK = FOK && Outro.FOK;
}

void TResumo::Copia(TResumo& Destino)
{
    const auto meus = Valores();
    const auto destino = Destino.Valores();
    for (int i = 0; i < QuantidadeValores; ++i)
        destino[i]->SetValor(meus[i]->GetValorPositivo());
    Destino.FOK = FOK;
}

bool TResumo::PossuiSubJudice()
{
    FSubJudice = false;
    for (const TMonetario* valor :
         {&FTotRendSubJud, &FTotDedSubJud, &FTotIrrfSubJud, &FTotDepSubJud, &FTotAnoAtu, &FTotAnoAnt})
        if (valor->GetValorPositivo() > 0) {
            FSubJudice = true;
            break;
        }
    return FSubJudice;
}

void TResumo::AcumulaItem(const TPruvItem& Anterior, const TPruvItem& Novo)
{
    Aplica(Mudanca(&Anterior, Novo));
}

TResumo::TMudanca TResumo::Mudanca(const TPruvItem* Anterior, const TPruvItem& Novo)
{
    TMudanca mudanca;
    if (Novo.GetChave().isEmpty())
        mudanca.Beneficiarios = -1;
    else if (!Anterior || Anterior->GetChave().isEmpty())
        mudanca.Beneficiarios = 1;
    // Each series of Novo less the same of Anterior.
    const auto diferenca = [Anterior, &Novo](auto Serie) {
        return Serie(Novo).SomaAno() - (Anterior ? Serie(*Anterior).SomaAno() : 0);
    };
    // In the order of Valores(): income, deductions, tax, this year's and former years' compensations.
    mudanca.Valores[0] = diferenca([](const TPruvItem& i) -> decltype(auto) { return i.GetValores().Rendimentos(); });
    mudanca.Valores[1] = diferenca([](const TPruvItem& i) -> decltype(auto) { return i.GetValores().Deducoes(); });
    mudanca.Valores[2] = diferenca([](const TPruvItem& i) -> decltype(auto) { return i.GetValores().Impostos(); });
    mudanca.Valores[3] = diferenca(
        [](const TPruvItem& i) -> decltype(auto) { return i.GetCompensacao().CompensacoesAno(); });
    mudanca.Valores[4] = diferenca(
        [](const TPruvItem& i) -> decltype(auto) { return i.GetCompensacao().CompensacoesAnosAnteriores(); });
    mudanca.SubJudice = Novo.GetDeclaracao().GetAno() >= QLatin1String("2000");   // none before 2000
    if (!mudanca.SubJudice)
        return mudanca;
    mudanca.Valores[5] = diferenca([](const TPruvItem& i) -> decltype(auto) { return i.GetSubJudice().Rendimentos(); });
    mudanca.Valores[6] = diferenca([](const TPruvItem& i) -> decltype(auto) { return i.GetSubJudice().Deducoes(); });
    mudanca.Valores[7] = diferenca([](const TPruvItem& i) -> decltype(auto) { return i.GetSubJudice().Impostos(); });
    mudanca.Valores[8] = diferenca([](const TPruvItem& i) -> decltype(auto) { return i.GetSubJudice().Depositos(); });
    return mudanca;
}

void TResumo::Aplica(const TMudanca& Mudanca)
{
    if (Mudanca.Beneficiarios < 0)
        FTotBenef.SetValor(FTotBenef.GetValorPositivo() - TMonetario::Escala);
    else if (Mudanca.Beneficiarios > 0)
        FTotBenef.SetValor(TMonetario::SomaExata(FTotBenef.GetValorPositivo(), TMonetario::Escala));
    const auto valores = Valores();
    const std::size_t quantos = Mudanca.SubJudice ? Mudanca.Valores.size() : 5;
    for (std::size_t i = 0; i < quantos; ++i) {
        // Total := total + (Novo - Anterior), the total read by its positive amount. Most kinds
        // of most items are 0: a total that is not negative then stays as it is.
        TMonetario& total = *valores[i + 1];
        if (Mudanca.Valores[i] == 0 && total.GetValor() >= 0)
            continue;
        total.SetValor(TMonetario::SomaExata(total.GetValorPositivo(), Mudanca.Valores[i]));
    }
}
