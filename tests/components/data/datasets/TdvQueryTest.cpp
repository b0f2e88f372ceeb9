#include <gtest/gtest.h>

#include "components/data/datasets/TdvQuery.h"
#include "components/data/datasets/TdvStoredProc.h"
#include "components/data/datasets/TdvTable.h"
#include "components/data/qbe/TdvQBE.h"
#include "platform/db/BancoDeTeste.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/ui/DialogosRoteirizados.h"

namespace {

class TdvQueryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TdvTable tabela;
        tabela.SetDatabaseName(PastaDados());
        tabela.SetTableName(QStringLiteral("Verifica.DB"));
        tabela.CreateTable({{QStringLiteral("OBJETO"), ftSmallint}, {QStringLiteral("DESCRICAO"), ftString, 40}}, {});
        tabela.Open();
        for (int i = 1; i <= 6; ++i) {
            tabela.Append();
            tabela.Fields(0)->SetAsInteger(i);
            tabela.Fields(1)->SetAsString(QStringLiteral("linha %1").arg(i));
            tabela.Post();
        }
    }

    DialogosRoteirizados dialogos;
};

TEST_F(TdvQueryTest, TheQueryFiltersItsAnswerRecordByRecord)
{
    TdvQuery consulta;
    EXPECT_TRUE(consulta.ValidateWithMask);
    EXPECT_EQ(consulta.OnFilterOptions(), ofoEnabled | ofoShowHourGlass);
    consulta.SetDatabaseName(PastaDados());
    consulta.SetSQL({QStringLiteral("SELECT * FROM Verifica ORDER BY OBJETO")});
    consulta.SetOnFilter([](TDataSet* d, bool& aceita) { aceita = d->Fields(0)->AsInteger() % 2 == 0; });
    consulta.Open();
    EXPECT_EQ(consulta.RecordCount(), 3);
    EXPECT_EQ(consulta.Fields(0)->AsInteger(), 2);
    EXPECT_FALSE(consulta.IsSequenced());
    consulta.SetOnFilterOptions(ofoShowHourGlass);
    EXPECT_EQ(consulta.RecordCount(), 6);
    consulta.SetOnFilterOptions(ofoEnabled);
    consulta.SetOnFilter(nullptr);
    EXPECT_EQ(consulta.RecordCount(), 6);
    EXPECT_TRUE(dialogos.Mensagens().empty()) << "the engine takes local filters on any query";
}

TEST_F(TdvQueryTest, QueryByExampleStartsWithItsDefaultsAndNeedsAText)
{
    TdvQBE qbe;
    qbe.SetName(QStringLiteral("QbeCodigos"));
    EXPECT_TRUE(qbe.AuxiliaryTables);
    EXPECT_TRUE(qbe.BlankAsZero);
    EXPECT_TRUE(qbe.AnswerTable.isEmpty());
    EXPECT_FALSE(qbe.ValidateWithMask);
    qbe.SetDatabaseName(PastaDados());
    qbe.SetQBE({QString(), QStringLiteral("Verifica.DB | OBJETO |"), QStringLiteral("          | Check  |")});
    try {
        qbe.Open();
        FAIL() << "a query-by-example without its first line opened";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Mensagem(), QStringLiteral("QbeCodigos: no query-by-example text to run"));
    }
    EXPECT_FALSE(qbe.Active());
}

TEST_F(TdvQueryTest, StoredProceduresCannotOpen)
{
    TdvStoredProc procedimento;
    procedimento.SetDatabaseName(PastaDados());
    procedimento.SetStoredProcName(QStringLiteral("RESUMO"));
    EXPECT_THROW(procedimento.Open(), EDatabaseError);
    EXPECT_FALSE(procedimento.Active());
}

// Reaches the record callback of a stored procedure, which cannot be opened here.
class TProcedimentoExposto : public TdvStoredProc {
public:
    bool Filtra() { return CallFilter(); }
};

TEST_F(TdvQueryTest, AStoredProceduresFilterIgnoresTheOptions)
{
    TProcedimentoExposto procedimento;
    procedimento.SetOnFilterOptions(0);
    int chamadas = 0;
    procedimento.SetOnFilter([&](TDataSet*, bool& aceita) {
        ++chamadas;
        aceita = false;
    });
    EXPECT_FALSE(procedimento.Filtra());
    EXPECT_EQ(chamadas, 1);
}

}   // namespace
