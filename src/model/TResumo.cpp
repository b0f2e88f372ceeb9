#include "model/TResumo.h"

#include "model/IDeclaracao.h"
#include "model/TErro.h"
#include "model/TPruvItem.h"

namespace {

// Sums of summaries carry no money limit (the limit is the delivery file's to enforce); only
// a result past 64 bits is refused.
qint64 SomaExata(qint64 A, qint64 B)
{
    qint64 resultado = 0;
    if (__builtin_add_overflow(A, B, &resultado))
        throw EMonetarioInvalido(165, QString(), 0);
    return resultado;
}

// Total := total + (Novo - Anterior), the total read by its positive amount.
void Acumula(TMonetario& Total, const TSerieMensal& Anterior, const TSerieMensal& Novo)
{
    Total.SetValor(SomaExata(Total.GetValorPositivo(), Novo.SomaAno() - Anterior.SomaAno()));
}

}  // namespace

TResumo::TResumo(TPruvAnexo* Dono) : FDono(Dono)
{
}

std::array<TMonetario*, TResumo::QuantidadeValores> TResumo::Valores()
{
    return {&FTotBenef,  &FTotRend,       &FTotDed,       &FTotIrrf,      &FTotAnoAtu,
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
        meus[i]->SetValor(SomaExata(meus[i]->GetValorPositivo(), outros[i]->GetValorPositivo()));
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
    if (Novo.GetChave().isEmpty())
        FTotBenef.SetValor(FTotBenef.GetValorPositivo() - TMonetario::Escala);
    else if (Anterior.GetChave().isEmpty())
        FTotBenef.SetValor(SomaExata(FTotBenef.GetValorPositivo(), TMonetario::Escala));

    Acumula(FTotRend, Anterior.GetValores().Rendimentos(), Novo.GetValores().Rendimentos());
    Acumula(FTotDed, Anterior.GetValores().Deducoes(), Novo.GetValores().Deducoes());
    Acumula(FTotIrrf, Anterior.GetValores().Impostos(), Novo.GetValores().Impostos());
    Acumula(FTotAnoAtu, Anterior.GetCompensacao().CompensacoesAno(), Novo.GetCompensacao().CompensacoesAno());
    Acumula(FTotAnoAnt, Anterior.GetCompensacao().CompensacoesAnosAnteriores(),
            Novo.GetCompensacao().CompensacoesAnosAnteriores());

    if (Novo.GetDeclaracao().GetAno() < QLatin1String("2000"))
        return;   // no sub judice values before 2000
    Acumula(FTotRendSubJud, Anterior.GetSubJudice().Rendimentos(), Novo.GetSubJudice().Rendimentos());
    Acumula(FTotDedSubJud, Anterior.GetSubJudice().Deducoes(), Novo.GetSubJudice().Deducoes());
    Acumula(FTotIrrfSubJud, Anterior.GetSubJudice().Impostos(), Novo.GetSubJudice().Impostos());
    Acumula(FTotDepSubJud, Anterior.GetSubJudice().Depositos(), Novo.GetSubJudice().Depositos());
}
