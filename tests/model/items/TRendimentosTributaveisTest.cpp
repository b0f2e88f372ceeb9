#include "model/items/TRendimentosTributaveis.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "model/items/TCompensacao.h"
#include "model/values/TErro.h"
#include "model/items/TSubJudice.h"
#include "model/ObservadorRegistrado.h"

namespace {

constexpr qint64 Um = TMonetario::Escala;

}   // namespace

TEST(TRendimentosTributaveis, TotalsHoldMonthsOneToTwelveOnly)
{
    TRendimentosTributaveis valores;
    valores.GetRendimento(13).SetValor(7 * Um);
    EXPECT_EQ(valores.GetTotalRendimento().GetValor(), 0);
    EXPECT_FALSE(valores.RendimentoZerado());
    EXPECT_FALSE(valores.Zerado());
    EXPECT_TRUE(valores.DeducaoZerada());

    valores.GetRendimento(1).SetValor(2 * Um);
    valores.GetRendimento(12).SetValor(3 * Um);
    valores.GetRendimento(6).SetValor(-4 * Um);   // a negative amount counts as 0
    EXPECT_EQ(valores.GetTotalRendimento().GetValor(), 5 * Um);
    EXPECT_EQ(valores.Rendimentos().SomaAno(), 12 * Um);
}

TEST(TRendimentosTributaveis, YearSumIsExactPastTheMoneyLimitAndRefusesWhatWouldWrap)
{
    TRendimentosTributaveis valores;
    constexpr qint64 Grande = qint64(1) << 60;   // set in code, past any typed amount
    valores.GetRendimento(2).SetValor(Grande);
    valores.GetRendimento(13).SetValor(TMonetario::Maximo);
    valores.GetRendimento(5).SetValor(-Grande);
    EXPECT_EQ(valores.Rendimentos().SomaAno(), Grande + TMonetario::Maximo);
    for (int m = 1; m <= 13; ++m)
        valores.GetRendimento(m).SetValor(Grande);
    try {
        (void)valores.Rendimentos().SomaAno();
        ADD_FAILURE() << "a sum past 64 bits was given";
    } catch (const EMonetarioInvalido& e) {
        EXPECT_EQ(e.Codigo(), 165);
    }
}

TEST(TRendimentosTributaveis, NegativeAmountsAreZeroForTheZeroTests)
{
    TSubJudice valores;
    valores.GetImposto(4).SetValor(-Um);
    valores.GetDeposito(13).SetValor(-Um);
    EXPECT_TRUE(valores.Zerado());
    EXPECT_TRUE(valores.ImpostoZerado());
    EXPECT_TRUE(valores.DepositoZerado());
    EXPECT_TRUE(valores.DepositoTotalZerado());
}

TEST(TRendimentosTributaveis, MonthsOutsideTheYearAreRangeErrors)
{
    TSubJudice valores;
    TCompensacao compensacao;
    for (const int mes : {0, 14, -1}) {
        SCOPED_TRACE(mes);
        EXPECT_THROW((void)valores.GetRendimento(mes), std::out_of_range);
        EXPECT_THROW((void)valores.GetDeducao(mes), std::out_of_range);
        EXPECT_THROW((void)valores.GetImposto(mes), std::out_of_range);
        EXPECT_THROW((void)valores.GetDeposito(mes), std::out_of_range);
        EXPECT_THROW((void)compensacao.GetCompensacaoAno(mes), std::out_of_range);
        EXPECT_THROW((void)compensacao.GetCompensacaoAnosAnteriores(mes), std::out_of_range);
    }
}

// A kind cleared tells the observers of its total once, when every month is 0, not once per
// month with the sums on the way; each month cleared reads changed.
TEST(TRendimentosTributaveis, ClearingAKindTellsItsTotalOnceWithTheSumAtZero)
{
    TRendimentosTributaveis valores;
    for (int m = 1; m <= 13; ++m)
        valores.GetRendimento(m).SetValor(m * Um);
    EXPECT_EQ(valores.GetTotalRendimento().GetValor(), 78 * Um);
    valores.SetAlterado(false);
    ObservadorRegistrado total;
    ObservadorRegistrado decimo;
    valores.GetTotalRendimento().AdicionaObservador(total);
    valores.GetRendimento(13).AdicionaObservador(decimo);
    valores.LimpaRendimentos();
    EXPECT_EQ(total.Chamadas(), QStringList{QStringLiteral("Atualiza:0,00")});
    EXPECT_EQ(decimo.Chamadas(), QStringList{QStringLiteral("Atualiza:0,00")});
    for (int m = 1; m <= 13; ++m)
        EXPECT_TRUE(valores.GetRendimento(m).GetAlterado()) << m;
    EXPECT_TRUE(valores.GetAlterado());
    EXPECT_TRUE(valores.RendimentoZerado());
    // Cleared again, nothing changes and nobody is told.
    valores.LimpaRendimentos();
    EXPECT_EQ(total.Chamadas().size(), 1);
    valores.GetTotalRendimento().RemoveObservador(total);
    valores.GetRendimento(13).RemoveObservador(decimo);
}

TEST(TRendimentosTributaveis, ClearingLeavesEveryZeroTestTrueAndTellsOnlyChangedValues)
{
    TSubJudice valores;
    for (int m = 1; m <= 13; ++m) {
        valores.GetRendimento(m).SetValor(m * Um);
        valores.GetDeducao(m).SetValor(Um);
        valores.GetImposto(m).SetValor(Um);
        valores.GetDeposito(m).SetValor(Um);
    }
    ObservadorRegistrado marco, dezembro;
    valores.GetRendimento(3).AdicionaObservador(marco);
    valores.GetRendimento(12).SetValor(0);
    valores.GetRendimento(12).AdicionaObservador(dezembro);
    valores.Limpa();
    EXPECT_EQ(marco.Chamadas().size(), 1);
    EXPECT_TRUE(dezembro.Chamadas().isEmpty());
    EXPECT_TRUE(valores.Zerado());
    EXPECT_TRUE(valores.DepositoZerado());
    for (const bool zerado :
         {valores.RendimentoZerado(), valores.DeducaoZerada(), valores.ImpostoZerado(), valores.DepositoTotalZerado()})
        EXPECT_TRUE(zerado);
    valores.GetRendimento(3).RemoveObservador(marco);
}

TEST(TRendimentosTributaveis, CopyOverwritesEveryValue)
{
    TSubJudice origem, destino;
    for (int m = 1; m <= 13; ++m) {
        origem.GetRendimento(m).SetValor(m * Um);
        origem.GetDeducao(m).SetValor(2 * m * Um);
        origem.GetImposto(m).SetValor(-m * Um);   // copied as its positive reading
        origem.GetDeposito(m).SetValor(4 * m * Um);
        destino.GetRendimento(m).SetValor(99 * Um);
        destino.GetImposto(m).SetValor(99 * Um);
        destino.GetDeposito(m).SetValor(99 * Um);
    }
    origem.Copia(destino);
    for (int m = 1; m <= 13; ++m) {
        SCOPED_TRACE(m);
        EXPECT_EQ(destino.GetRendimento(m).GetValor(), m * Um);
        EXPECT_EQ(destino.GetDeducao(m).GetValor(), 2 * m * Um);
        EXPECT_EQ(destino.GetImposto(m).GetValor(), 0);
        EXPECT_EQ(destino.GetDeposito(m).GetValor(), 4 * m * Um);
    }
    EXPECT_EQ(destino.GetTotalDeposito().GetValor(), 4 * 78 * Um);

    TCompensacao compOrigem, compDestino;
    compOrigem.GetCompensacaoAno(13).SetValor(Um);
    compOrigem.GetCompensacaoAnosAnteriores(2).SetValor(2 * Um);
    compDestino.GetCompensacaoAno(5).SetValor(5 * Um);
    compOrigem.Copia(compDestino);
    EXPECT_EQ(compDestino.GetCompensacaoAno(5).GetValor(), 0);
    EXPECT_EQ(compDestino.GetCompensacaoAno(13).GetValor(), Um);
    EXPECT_EQ(compDestino.GetCompensacaoAnosAnteriores(2).GetValor(), 2 * Um);
}

TEST(TRendimentosTributaveis, ChangedFlagComesFromTotalsAndTheThirteenth)
{
    const struct {
        const char* nome;
        void (*muda)(TSubJudice&);
    } casos[] = {
        {"deduction of May", [](TSubJudice& v) { v.GetDeducao(5).SetValor(Um); }},
        {"income of the 13th", [](TSubJudice& v) { v.GetRendimento(13).SetValor(Um); }},
        {"tax of January", [](TSubJudice& v) { v.GetImposto(1).SetValor(Um); }},
        {"deposit of the 13th", [](TSubJudice& v) { v.GetDeposito(13).SetValor(Um); }},
        {"deposit of December", [](TSubJudice& v) { v.GetDeposito(12).SetValor(Um); }},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        TSubJudice valores;
        EXPECT_FALSE(valores.GetAlterado());   // building the totals is no change
        c.muda(valores);
        EXPECT_TRUE(valores.GetAlterado());
        valores.SetAlterado(false);
        EXPECT_FALSE(valores.GetAlterado());
        EXPECT_FALSE(valores.GetTotalDeposito().GetAlterado());
    }
}

TEST(TCompensacao, ZeroTestsAndChangedFlag)
{
    TCompensacao compensacao;
    EXPECT_FALSE(compensacao.GetAlterado());
    EXPECT_TRUE(compensacao.Zerado());
    compensacao.GetCompensacaoAnosAnteriores(13).SetValor(Um);
    EXPECT_TRUE(compensacao.GetAlterado());
    EXPECT_FALSE(compensacao.Zerado());
    EXPECT_TRUE(compensacao.CompensacaoAnoZerada());
    EXPECT_FALSE(compensacao.CompensacaoAnosAnterioresZerada());
    EXPECT_EQ(compensacao.GetTotalCompensacaoAnosAnteriores().GetValor(), 0);
    compensacao.Limpa();
    compensacao.SetAlterado(false);
    EXPECT_TRUE(compensacao.Zerado());
    EXPECT_FALSE(compensacao.GetAlterado());
}
