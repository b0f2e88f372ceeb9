#include "model/items/TTotaisPruvItem.h"

#include <gtest/gtest.h>

#include "model/statements/TRendimentoParcial.h"
#include "model/ItensDeTeste.h"

namespace {

class TTotaisPruvItemTest : public ::testing::Test {
protected:
    DeclaracaoDeTeste declaracao;
    ItensDeTeste itens{declaracao};
    TPruvItem& item = itens.Adiciona("111.444.777-35", "5936", "P");

    void SetUp() override
    {
        TRendimentosTributaveis& v = item.GetValores();
        TCompensacao& c = item.GetCompensacao();
        TSubJudice& s = item.GetSubJudice();
        const struct {
            TMonetario& valor;
            qint64 reais;
        } valores[] = {
            {v.GetRendimento(1), 1000},
            {v.GetRendimento(2), 500},
            {v.GetRendimento(13), 300},
            {v.GetDeducao(1), 100},
            {v.GetDeducao(13), 50},
            {v.GetImposto(1), 80},
            {v.GetImposto(13), 260},
            {c.GetCompensacaoAno(2), 20},
            {c.GetCompensacaoAno(13), 40},
            {c.GetCompensacaoAnosAnteriores(1), 10},
            {c.GetCompensacaoAnosAnteriores(13), 5},
            {s.GetRendimento(1), 400},
            {s.GetRendimento(13), 100},
            {s.GetDeducao(1), 30},
            {s.GetDeducao(13), 20},
            {s.GetImposto(1), 60},
            {s.GetDeposito(1), 70},
            {s.GetDeposito(13), 90},
        };
        for (const auto& x : valores)
            x.valor.SetValor(Reais(x.reais));
    }
};

}   // namespace

TEST_F(TTotaisPruvItemTest, TakesTheYearlyAmountsOnce)
{
    const TTotaisPruvItem t(item);
    item.GetValores().GetRendimento(1).SetValor(0);   // after the snapshot: not seen
    const struct {
        const char* nome;
        const TMonetario& valor;
        qint64 reais;
    } casos[] = {
        {"income of months 1 to 12", t.GetRendimento(), 1500},
        {"tax with both compensations, months 1 to 12", t.GetImposto(), 80 + 20 + 10},
        {"earlier-years compensation with the 13th", t.GetCompensacaoAnosAnteriores(), 15},
        {"net 13th below 0: 300 - 50 - (260 + 40 + 5)", t.GetLiquido13(), -55},
        {"net sub judice 13th: 100 - 20 - deposit 90", t.GetLiquido13SubJudice(), -10},
        {"sub judice income", t.GetRendimentoSubJudice(), 400},
        {"sub judice tax", t.GetImpostoSubJudice(), 60},
        {"deposits", t.GetDepositos(), 70},
        {"deductions", t.GetDeducoes(), 100},
        {"sub judice deductions", t.GetDeducoesSubJudice(), 30},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(c.valor.GetValor(), Reais(c.reais));
    }
    EXPECT_EQ(t.GetCodigo().GetCodigo(), QStringLiteral("5936"));
}

TEST_F(TTotaisPruvItemTest, PartialLineKeepsTheRestExclusive)
{
    TTotaisPruvItem t(item);
    TRendimentoParcial p(t);
    EXPECT_TRUE(p.Zerado());
    EXPECT_EQ(p.GetImpostoExclusivo().GetValor(), Reais(110));
    p.GetRendimentoCompensavel().SetValor(Reais(1500));   // the whole income
    EXPECT_EQ(p.GetRendimentoExclusivo().GetValor(), 0);
    EXPECT_FALSE(p.Zerado());
}
