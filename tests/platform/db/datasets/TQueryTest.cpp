#include <gtest/gtest.h>

#include "platform/db/BancoDeTeste.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/datasets/TBatchMove.h"
#include "platform/db/datasets/TQuery.h"
#include "platform/db/datasets/TStoredProc.h"
#include "platform/db/datasets/TTable.h"
#include <functional>
#include <utility>

namespace {

class TQueryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tabela.SetDatabaseName(PastaDados());
        tabela.SetTableName(QStringLiteral("Codigos"));
        tabela.CreateTable({{QStringLiteral("ANO"), ftString, 4},
                            {QStringLiteral("COD"), ftString, 4},
                            {QStringLiteral("IN4"), ftBoolean}},
                           {{QString(), QStringLiteral("ANO;COD"), TIndexOption::ixPrimary}});
        tabela.Open();
        for (const char* codigo : {"0561", "0588", "1708", "3208"}) {
            tabela.Append();
            tabela.Fields(0)->SetAsString(QStringLiteral("2002"));
            tabela.Fields(1)->SetAsString(QString::fromUtf8(codigo));
            tabela.Fields(2)->SetAsBoolean(codigo[0] == '1');
            tabela.Post();
        }
        consulta.SetDatabaseName(PastaDados());
    }

    TTable tabela;
    TQuery consulta;
};

TEST_F(TQueryTest, RunsASelectWithBoundParameters)
{
    consulta.SetSQL(
        {QStringLiteral("SELECT COD, IN4 FROM Codigos"), QStringLiteral("WHERE COD > :DESDE ORDER BY COD DESC")});
    ASSERT_EQ(consulta.Params().Count(), 1);
    consulta.ParamByName(QStringLiteral("desde")).SetAsString(QStringLiteral("9999' OR '1'='1"));
    consulta.Open();
    EXPECT_EQ(consulta.RecordCount(), 0) << "the value is bound, never pasted";
    consulta.Close();
    consulta.ParamByName(QStringLiteral("DESDE")).SetAsString(QStringLiteral("0588"));
    consulta.Open();
    EXPECT_EQ(consulta.RecordCount(), 2);
    EXPECT_EQ(consulta.FieldByName(QStringLiteral("COD"))->AsString(), QStringLiteral("3208"));
    EXPECT_EQ(consulta.FieldByName(QStringLiteral("IN4"))->DataType(), ftBoolean);
    consulta.Last();
    EXPECT_EQ(consulta.FieldByName(QStringLiteral("COD"))->AsString(), QStringLiteral("1708"));
    EXPECT_FALSE(consulta.CanModify());
    EXPECT_THROW(consulta.Edit(), EDatabaseError);
}

TEST_F(TQueryTest, EveryChangeToAQueryIsRefusedInTheSameWords)
{
    consulta.SetSQL({QStringLiteral("SELECT COD FROM Codigos")});
    consulta.Open();
    const std::pair<const char*, std::function<void()>> mudancas[] = {
        {"Edit", [this] { consulta.Edit(); }},
        {"Insert", [this] { consulta.Insert(); }},
        {"Append", [this] { consulta.Append(); }},
        {"Delete", [this] { consulta.Delete(); }},
    };
    for (const auto& [nome, muda] : mudancas) {
        SCOPED_TRACE(nome);
        try {
            muda();
            ADD_FAILURE() << "no error";
        } catch (const EDatabaseError& e) {
            EXPECT_STREQ(e.what(), "Cannot modify a read-only dataset");
        }
    }
    EXPECT_EQ(consulta.RecordCount(), 4);
}

TEST_F(TQueryTest, ExecSqlChangesRowsInATransaction)
{
    consulta.SetSQL({QStringLiteral("UPDATE Codigos SET IN4 = 1 WHERE COD < :ATE")});
    consulta.ParamByName(QStringLiteral("ATE")).SetAsString(QStringLiteral("1000"));
    consulta.ExecSQL();
    EXPECT_EQ(consulta.RowsAffected(), 2);
    tabela.Refresh();
    tabela.First();
    EXPECT_TRUE(tabela.Fields(2)->AsBoolean());
}

TEST_F(TQueryTest, StoredProceduresFailClearly)
{
    TStoredProc procedimento;
    procedimento.SetDatabaseName(PastaDados());
    procedimento.SetStoredProcName(QStringLiteral("CALCULA"));
    try {
        procedimento.Open();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_TRUE(e.Mensagem().contains(QLatin1String("CALCULA"))) << e.what();
    }
    EXPECT_FALSE(procedimento.Active());
}

TEST_F(TQueryTest, ABatchMoveAppendsEveryRowOrNone)
{
    TTable destino;
    destino.SetDatabaseName(PastaDados());
    destino.SetTableName(QStringLiteral("Copia"));
    destino.CreateTable({{QStringLiteral("ANO"), ftString, 4},
                         {QStringLiteral("COD"), ftString, 4},
                         {QStringLiteral("IN4"), ftBoolean}},
                        {{QString(), QStringLiteral("COD"), TIndexOption::ixPrimary}});
    TBatchMove move;
    move.Source = &tabela;
    move.Destination = &destino;
    move.Execute();
    EXPECT_EQ(move.MovedCount(), 4);
    EXPECT_EQ(move.KeyViolCount(), 0);

    // Moving the same rows again breaks the key at the first row: nothing is added.
    EXPECT_THROW(move.Execute(), EDBEngineError);
    destino.Open();
    EXPECT_EQ(destino.RecordCount(), 4);
    destino.Close();
    move.AbortOnKeyViol = false;
    move.Execute();
    EXPECT_EQ(move.MovedCount(), 0);
    EXPECT_EQ(move.KeyViolCount(), 4);
}

}   // namespace
