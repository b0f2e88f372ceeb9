#include <gtest/gtest.h>

#include "model/DeclaracaoArmazenadaDeTeste.h"
#include "model/ImprimeQString.h"
#include "model/items/TColecaoJudicial.h"
#include "platform/files/TPastas.h"
#include "platform/ui/DialogosRoteirizados.h"

namespace {

constexpr qint64 Um = TMonetario::Escala;

// The six series of an item, month by month.
TMonetario& Valor(TPruvItem& item, int serie, int mes)
{
    switch (serie) {
    case 0:
        return item.GetSubJudice().GetRendimento(mes);
    case 1:
        return item.GetSubJudice().GetDeducao(mes);
    case 2:
        return item.GetSubJudice().GetImposto(mes);
    case 3:
        return item.GetSubJudice().GetDeposito(mes);
    case 4:
        return item.GetCompensacao().GetCompensacaoAno(mes);
    default:
        return item.GetCompensacao().GetCompensacaoAnosAnteriores(mes);
    }
}

class TColecaoJudicialTest : public ::testing::Test {
protected:
    DialogosRoteirizados dialogos;
    DeclaracaoArmazenada declaracao;

    void SetUp() override { ASSERT_TRUE(TPastas::Cria()); }

    std::unique_ptr<TPruvItem> Item(const QString& chave, const QString& codigo, const QString& ni,
                                    TPruvAnexo* dono = nullptr)
    {
        auto item = std::make_unique<TPruvItem>(declaracao, dono ? *dono : declaracao);
        item->SetChave(chave);
        item->GetCodigoRetencao().SetCodigo(codigo);
        declaracao.GetColecaoCodigoRetencao().BuscaCodigo(item->GetCodigoRetencao(), item->GetInAnexo());
        item->GetBeneficiario().SetNi(ni);
        return item;
    }
};

TEST_F(TColecaoJudicialTest, WhatTheRulesForbidIsZeroInTheItemAndInTheRow)
{
    const QString cpf = Cpf(QStringLiteral("111444777"));
    const QString cnpj = Cnpj(QStringLiteral("112223330001"));
    // Per series (income, deductions, tax, deposits, compensation of the year, of earlier years):
    // month 1 kept; and whether month 13 is kept.
    const struct {
        const char* codigo;
        const char* ano;
        QString ni;
        const char* mes1;
        bool mes13;
    } casos[] = {
        {"3208", "2002", cpf, "111111", false}, {"3208", "2002", cnpj, "000000", false},   // a CNPJ admits none
        {"0924", "2002", cpf, "101111", false},                                            // no deductions for the code
        {"1708", "2002", cpf, "000000", false},   // no sub judice values for the code
        {"0588", "2002", cpf, "111111", true},  {"0588", "2001", cpf, "111111", false},
    };
    TColecaoJudicial judicial(declaracao);
    int chave = 0;
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.codigo) + " " + c.ano + " " + c.ni.toStdString());
        declaracao.SetAno(QLatin1String(c.ano));
        const QString k = QStringLiteral("000000%1").arg(++chave);
        auto item = Item(k, QLatin1String(c.codigo), c.ni);
        for (int s = 0; s < 6; ++s) {
            Valor(*item, s, 1).SetValor(Um * (s + 1));
            Valor(*item, s, 13).SetValor(Um * (s + 11));
        }
        judicial.GravaValores(*item);
        auto relido = Item(k, QLatin1String(c.codigo), c.ni);
        ASSERT_TRUE(judicial.Carrega(*relido));
        for (TPruvItem* i : {item.get(), relido.get()})
            for (int s = 0; s < 6; ++s) {
                SCOPED_TRACE(s);
                EXPECT_EQ(Valor(*i, s, 1).GetValor(), c.mes1[s] == '1' ? Um * (s + 1) : 0);
                EXPECT_EQ(Valor(*i, s, 13).GetValor(), c.mes13 ? Um * (s + 11) : 0);
            }
    }
}

TEST_F(TColecaoJudicialTest, DepositsAreReadWhateverTheRules)
{
    TColecaoJudicial judicial(declaracao);
    auto item = Item(QStringLiteral("0000001"), QStringLiteral("3208"), Cpf(QStringLiteral("111444777")));
    item->GetSubJudice().GetRendimento(2).SetValor(5 * Um);
    item->GetSubJudice().GetDeposito(2).SetValor(7 * Um);
    judicial.GravaValores(*item);

    auto agoraCnpj = Item(QStringLiteral("0000001"), QStringLiteral("3208"), Cnpj(QStringLiteral("112223330001")));
    ASSERT_TRUE(judicial.Carrega(*agoraCnpj));
    EXPECT_EQ(agoraCnpj->GetSubJudice().GetRendimento(2).GetValor(), 0);
    EXPECT_EQ(agoraCnpj->GetSubJudice().GetDeposito(2).GetValor(), 7 * Um);
}

TEST_F(TColecaoJudicialTest, RowsBelongToOneOwnerAndOneAnnexFlag)
{
    AnexoArmazenado anexo(declaracao, QStringLiteral("00001"));   // the declaration's key, as an annex
    TColecaoJudicial proprio(declaracao);
    TColecaoJudicial doAnexo(anexo);
    const QString cpf = Cpf(QStringLiteral("111444777"));
    auto item = Item(QStringLiteral("0000001"), QStringLiteral("3208"), cpf);
    auto itemAnexo = Item(QStringLiteral("0000001"), QStringLiteral("3208"), cpf, &anexo);
    item->GetCompensacao().GetCompensacaoAno(1).SetValor(3 * Um);
    itemAnexo->GetCompensacao().GetCompensacaoAno(1).SetValor(4 * Um);
    proprio.GravaValores(*item);
    doAnexo.GravaValores(*itemAnexo);

    // Another owner's row, read from this collection, which keeps its own view.
    auto lido = Item(QStringLiteral("0000001"), QStringLiteral("3208"), cpf);
    EXPECT_TRUE(proprio.CarregaDe(*lido, QStringLiteral("1"), QStringLiteral("00001")));
    EXPECT_EQ(lido->GetCompensacao().GetCompensacaoAno(1).GetValor(), 4 * Um);
    EXPECT_EQ(proprio.Quantidade(), 1);

    proprio.SetNaoAtualizaAux(true);   // insert-only: nothing is deleted per item
    proprio.Exclui(*item);
    EXPECT_EQ(proprio.Quantidade(), 1);

    proprio.ExcluiTodos();
    EXPECT_EQ(proprio.Quantidade(), 0);
    EXPECT_EQ(doAnexo.Quantidade(), 1);
    EXPECT_FALSE(proprio.Carrega(*lido));   // no row: every value cleared
    EXPECT_TRUE(lido->GetCompensacao().Zerado());
}

}   // namespace
