#include "model/declaration/TResumo.h"

#include <gtest/gtest.h>

#include "model/items/TPruvItem.h"
#include "model/DeclaracaoDeTeste.h"

namespace {

constexpr qint64 Um = TMonetario::Escala;

// Every series of the item: month 1 holds Base, month 13 holds Base + 1.
void Preenche(TPruvItem& item, qint64 base)
{
    for (const int m : {1, 13}) {
        const qint64 v = (m == 1 ? base : base + 1) * Um;
        item.GetValores().GetRendimento(m).SetValor(v);
        item.GetValores().GetDeducao(m).SetValor(v);
        item.GetValores().GetImposto(m).SetValor(v);
        item.GetCompensacao().GetCompensacaoAno(m).SetValor(v);
        item.GetCompensacao().GetCompensacaoAnosAnteriores(m).SetValor(v);
        item.GetSubJudice().GetRendimento(m).SetValor(v);
        item.GetSubJudice().GetDeducao(m).SetValor(v);
        item.GetSubJudice().GetImposto(m).SetValor(v);
        item.GetSubJudice().GetDeposito(m).SetValor(v);
    }
}

std::vector<qint64> Totais(TResumo& resumo)
{
    std::vector<qint64> totais;
    for (int i = 0; i < TResumo::QuantidadeValores; ++i)
        totais.push_back(resumo.Valor(i).GetValor() / Um);
    return totais;
}

class TResumoTest : public ::testing::Test {
protected:
    DeclaracaoDeTeste declaracao;
    TResumo resumo{&declaracao};
    TPruvItem vazio{declaracao, declaracao};
    TPruvItem item{declaracao, declaracao};
};

}   // namespace

TEST_F(TResumoTest, AccumulatesAddsChangesAndRemovesItems)
{
    item.SetChave(QStringLiteral("0000001"));
    Preenche(item, 10);   // 10 in January + 11 in the 13th
    resumo.AcumulaItem(vazio, item);
    EXPECT_EQ(Totais(resumo), (std::vector<qint64>{1, 21, 21, 21, 21, 21, 21, 21, 21, 21}));

    TPruvItem anterior(declaracao, declaracao);
    item.Copia(anterior);
    Preenche(item, 4);
    resumo.AcumulaItem(anterior, item);   // both keys: the count stays, the totals move
    EXPECT_EQ(Totais(resumo), (std::vector<qint64>{1, 9, 9, 9, 9, 9, 9, 9, 9, 9}));

    resumo.AcumulaItem(item, vazio);
    EXPECT_EQ(Totais(resumo), (std::vector<qint64>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(TResumoTest, CountFollowsOnlyTheKeys)
{
    item.SetChave(QStringLiteral("0000001"));
    resumo.AcumulaItem(vazio, item);
    resumo.AcumulaItem(vazio, item);
    EXPECT_EQ(resumo.TOT_BENEF().GetValor(), 2 * Um);
    EXPECT_EQ(resumo.TOT_BENEF().GetTexto(), QStringLiteral("2"));
}

TEST_F(TResumoTest, SubJudiceTotalsMoveOnlyFromTwoThousand)
{
    item.SetChave(QStringLiteral("0000001"));
    Preenche(item, 1);
    const struct {
        const char* ano;
        std::vector<qint64> esperado;
    } casos[] = {
        {"1999", {1, 3, 3, 3, 3, 3, 0, 0, 0, 0}},
        {"2000", {1, 3, 3, 3, 3, 3, 3, 3, 3, 3}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.ano);
        declaracao.SetAno(QString::fromLatin1(c.ano));
        resumo.Zera();
        resumo.AcumulaItem(vazio, item);
        EXPECT_EQ(Totais(resumo), c.esperado);
    }
}

TEST_F(TResumoTest, NegativeAmountsReadAsZero)
{
    item.SetChave(QStringLiteral("0000001"));
    item.GetValores().GetRendimento(2).SetValor(-5 * Um);
    item.GetValores().GetRendimento(3).SetValor(2 * Um);
    resumo.TOT_REND().SetValor(-7 * Um);
    resumo.AcumulaItem(vazio, item);
    EXPECT_EQ(resumo.TOT_REND().GetValor(), 2 * Um);
}

TEST_F(TResumoTest, SumCopyAndClear)
{
    TResumo outro(&declaracao);
    resumo.SetOK(true);
    resumo.TOT_REND().SetValor(3 * Um);
    outro.TOT_REND().SetValor(4 * Um);
    outro.TOT_DEP_SUBJUD().SetValor(-1 * Um);
    resumo.Soma(outro);
    EXPECT_EQ(resumo.TOT_REND().GetValor(), 7 * Um);
    EXPECT_EQ(resumo.TOT_DEP_SUBJUD().GetValor(), 0);
    EXPECT_FALSE(resumo.GetOK());   // a part not made over every item

    outro.SetOK(true);
    resumo.Copia(outro);
    EXPECT_EQ(outro.TOT_REND().GetValor(), 7 * Um);
    EXPECT_FALSE(outro.GetOK());

    resumo.SetOK(true);
    resumo.Zera();
    EXPECT_FALSE(resumo.GetOK());
    EXPECT_EQ(Totais(resumo), std::vector<qint64>(10, 0));
}

TEST_F(TResumoTest, SubJudiceIsAnySuspendedOrCompensatedTotal)
{
    resumo.TOT_REND().SetValor(Um);
    resumo.TOT_IRRF().SetValor(Um);
    EXPECT_FALSE(resumo.PossuiSubJudice());
    for (int i = 4; i < TResumo::QuantidadeValores; ++i) {
        SCOPED_TRACE(i);
        resumo.Zera();
        resumo.Valor(i).SetValor(Um);
        EXPECT_TRUE(resumo.PossuiSubJudice());
        EXPECT_TRUE(resumo.GetSubJudice());
    }
}
