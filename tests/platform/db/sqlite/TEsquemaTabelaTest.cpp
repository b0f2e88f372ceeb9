#include <gtest/gtest.h>

#include "platform/db/BancoDeTeste.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TEsquemaTabela.h"
#include "platform/db/datasets/TTable.h"

namespace {

TEST(TEsquemaTabela, EveryFieldTypeKeepsItsTypeAndSize)
{
    auto banco = Banco();
    const std::vector<TFieldDef> campos = {
        {QStringLiteral("A"), ftString, 12}, {QStringLiteral("B"), ftSmallint}, {QStringLiteral("C"), ftInteger},
        {QStringLiteral("D"), ftWord},       {QStringLiteral("E"), ftBoolean},  {QStringLiteral("F"), ftFloat},
        {QStringLiteral("G"), ftCurrency},   {QStringLiteral("H"), ftBCD, 2},   {QStringLiteral("I"), ftDate},
        {QStringLiteral("J"), ftTime},       {QStringLiteral("K"), ftDateTime}, {QStringLiteral("L"), ftAutoInc},
        {QStringLiteral("M"), ftBlob},       {QStringLiteral("N"), ftMemo},     {QStringLiteral("O"), ftGraphic},
        {QStringLiteral("P"), ftFmtMemo},    {QStringLiteral("Q"), ftLargeint}, {QStringLiteral("R"), ftBytes, 8},
    };
    TEsquemaTabela::Cria(*banco, QStringLiteral("Tudo.db"), campos, {});
    const TEsquemaTabela lido = TEsquemaTabela::Le(*banco, QStringLiteral("TUDO"));
    EXPECT_EQ(lido.Nome, QStringLiteral("Tudo"));
    ASSERT_EQ(lido.Campos.size(), campos.size());
    for (std::size_t i = 0; i < campos.size(); ++i) {
        SCOPED_TRACE(campos[i].Name.toStdString());
        EXPECT_EQ(lido.Campos[i].DataType, campos[i].DataType);
        EXPECT_EQ(lido.Campos[i].Size, campos[i].Size);
    }
    EXPECT_TRUE(lido.ChavePrimaria.isEmpty());
    EXPECT_TRUE(lido.Indices.empty());
}

TEST(TEsquemaTabela, TablesMadeElsewhereGetTypesFromTheirAffinity)
{
    auto banco = Banco();
    TComando(banco->Conexao(), QStringLiteral("CREATE TABLE Externa (n INT, t VARCHAR(10), r DOUBLE, b BLOB, x)"))
        .Executa();
    const TEsquemaTabela lido = TEsquemaTabela::Le(*banco, QStringLiteral("externa"));
    const TFieldType esperados[] = {ftInteger, ftString, ftFloat, ftBlob, ftString};
    ASSERT_EQ(lido.Campos.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(lido.Campos[i].DataType, esperados[i]) << i;
    EXPECT_EQ(lido.Campos[1].Size, 10);
}

TEST(TEsquemaTabela, CaseInsensitiveIndexesKeepTheirHiddenColumnsOutOfTheFields)
{
    auto banco = Banco();
    TEsquemaTabela::Cria(*banco, QStringLiteral("Benef"),
                         {{QStringLiteral("E_PRUV_DK"), ftString, 5}, {QStringLiteral("NOME"), ftString, 60}},
                         {{QString(), QStringLiteral("E_PRUV_DK;NOME"), TIndexOption::ixPrimary},
                          {QStringLiteral("INome"), QStringLiteral("E_PRUV_DK;NOME"), TIndexOption::ixCaseInsensitive},
                          {QStringLiteral("IUnico"), QStringLiteral("NOME"), TIndexOption::ixUnique}});
    const TEsquemaTabela lido = TEsquemaTabela::Le(*banco, QStringLiteral("benef.db"));
    EXPECT_EQ(lido.Campos.size(), 2u);
    EXPECT_TRUE(lido.SemRowid);
    EXPECT_EQ(lido.ChavePrimaria, (QStringList{QStringLiteral("E_PRUV_DK"), QStringLiteral("NOME")}));
    ASSERT_EQ(lido.Indices.size(), 3u);
    EXPECT_TRUE(lido.Indices[0].IsPrimary());
    EXPECT_EQ(lido.Indices[1].Name, QStringLiteral("INome"));
    EXPECT_EQ(lido.Indices[1].Fields, QStringLiteral("E_PRUV_DK;NOME"));
    EXPECT_TRUE(lido.Indices[1].IsCaseInsensitive());
    EXPECT_EQ(lido.Indices[2].Options, TIndexOption::ixUnique);
    EXPECT_EQ(lido.Indice(QString()), &lido.Indices[0]);
    EXPECT_EQ(lido.Indice(QStringLiteral("iunico")), &lido.Indices[2]);
}

TEST(TEsquemaTabela, BadDefinitionsAreRefusedAndChangeNothing)
{
    auto banco = Banco();
    TEsquemaTabela::Cria(*banco, QStringLiteral("T"), {{QStringLiteral("A"), ftString, 5}}, {});
    EXPECT_THROW(TEsquemaTabela::Cria(*banco, QStringLiteral("T"), {{QStringLiteral("A"), ftString, 5}},
                                      {{QString(), QStringLiteral("NADA"), TIndexOption::ixPrimary}}),
                 EDatabaseError);
    EXPECT_FALSE(banco->NomeReal(QStringLiteral("T")).isEmpty()) << "the old table stays";
    EXPECT_THROW(
        TEsquemaTabela::AdicionaIndice(*banco, QStringLiteral("T"), {QStringLiteral("I"), QStringLiteral("B"), 0}),
        EDatabaseError);
    EXPECT_THROW(TEsquemaTabela::AdicionaIndice(*banco, QStringLiteral("T"),
                                                {QString(), QStringLiteral("A"), TIndexOption::ixPrimary}),
                 EDatabaseError);
    EXPECT_THROW(TEsquemaTabela::RemoveIndice(*banco, QStringLiteral("T"), QStringLiteral("Nenhum")), EDatabaseError);
    EXPECT_THROW(TEsquemaTabela::Le(*banco, QStringLiteral("Nenhuma")), EDatabaseError);
    EXPECT_EQ(banco->ProfundidadeTransacao(), 0);
}

}   // namespace
