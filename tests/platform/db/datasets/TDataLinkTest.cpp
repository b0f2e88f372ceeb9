#include <gtest/gtest.h>

#include "platform/db/BancoDeTeste.h"
#include "platform/db/datasets/TDataLink.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/datasets/TFieldDataLink.h"
#include "platform/db/datasets/TTable.h"

namespace {

// Records the notifications as a grid would see them.
class TLinkRegistrado : public TDataLink {
public:
    std::vector<QString> Eventos;
    QStringList Visiveis(const char* campo)
    {
        QStringList nomes;
        const int ativo = ActiveRecord();
        for (int i = 0; i < RecordCount(); ++i) {
            SetActiveRecord(i);
            nomes << DataSet()->FieldByName(QString::fromUtf8(campo))->AsString();
        }
        SetActiveRecord(ativo);
        return nomes;
    }

protected:
    void ActiveChanged() override { Eventos.push_back(Active() ? QStringLiteral("ativo") : QStringLiteral("inativo")); }
    void DataSetChanged() override { Eventos.push_back(QStringLiteral("mudou")); }
    void DataSetScrolled(int distancia) override { Eventos.push_back(QStringLiteral("rolou %1").arg(distancia)); }
    void EditingChanged() override
    {
        Eventos.push_back(Editing() ? QStringLiteral("editando") : QStringLiteral("navegando"));
    }
    void RecordChanged(TField* campo) override
    {
        Eventos.push_back(QStringLiteral("registro ") + (campo ? campo->FieldName() : QStringLiteral("*")));
    }
    void UpdateData() override { Eventos.push_back(QStringLiteral("gravar")); }
};

class TDataLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tabela.SetDatabaseName(PastaDados());
        tabela.SetTableName(QStringLiteral("Lista"));
        tabela.CreateTable({{QStringLiteral("K"), ftString, 3}, {QStringLiteral("N"), ftInteger}},
                           {{QString(), QStringLiteral("K"), TIndexOption::ixPrimary}});
        tabela.Open();
        for (int i = 1; i <= 10; ++i) {
            tabela.Append();
            tabela.Fields(0)->SetAsString(QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')));
            tabela.Fields(1)->SetAsInteger(i);
            tabela.Post();
        }
        tabela.First();
        fonte.SetDataSet(&tabela);
    }

    TTable tabela;
    TDataSource fonte;
};

TEST_F(TDataLinkTest, AWindowOfVisibleRecordsFollowsTheCursor)
{
    TLinkRegistrado link;
    link.SetDataSource(&fonte);
    link.SetBufferCount(4);
    EXPECT_TRUE(link.Active());
    EXPECT_EQ(link.RecordCount(), 4);
    EXPECT_EQ(link.ActiveRecord(), 0);
    EXPECT_EQ(link.Visiveis("N"), (QStringList{"1", "2", "3", "4"}));
    link.Eventos.clear();

    tabela.MoveBy(3);   // within the window
    EXPECT_EQ(link.ActiveRecord(), 3);
    tabela.Next();   // the window moves by one
    EXPECT_EQ(link.ActiveRecord(), 3);
    EXPECT_EQ(link.Visiveis("N"), (QStringList{"2", "3", "4", "5"}));
    tabela.Last();
    EXPECT_EQ(link.Visiveis("N"), (QStringList{"7", "8", "9", "10"}));
    tabela.Prior();
    EXPECT_EQ(link.ActiveRecord(), 2);
    EXPECT_EQ(link.Eventos, (std::vector<QString>{"rolou 0", "rolou 1", "mudou", "rolou 0"}));
}

TEST_F(TDataLinkTest, TwoLinksOfDifferentSizesShareTheDatasetsRecords)
{
    TLinkRegistrado grande, pequeno;
    grande.SetDataSource(&fonte);
    pequeno.SetDataSource(&fonte);
    grande.SetBufferCount(6);
    pequeno.SetBufferCount(2);
    EXPECT_EQ(tabela.BufferCount(), 6);
    tabela.MoveBy(3);
    EXPECT_EQ(grande.ActiveRecord(), 3);
    EXPECT_EQ(pequeno.ActiveRecord(), 1);
    EXPECT_EQ(pequeno.Visiveis("N"), (QStringList{"3", "4"}));
    EXPECT_EQ(pequeno.Eventos.back(), QStringLiteral("rolou 2"));
}

TEST_F(TDataLinkTest, EditingStateAndFieldChangesReachTheLinks)
{
    TLinkRegistrado link;
    link.SetDataSource(&fonte);
    link.Eventos.clear();
    EXPECT_TRUE(link.Edit());
    tabela.FieldByName(QStringLiteral("N"))->SetAsInteger(99);
    tabela.Post();
    EXPECT_EQ(link.Eventos,
              (std::vector<QString>{"editando", "registro *", "registro N", "gravar", "navegando", "mudou"}));
}

TEST_F(TDataLinkTest, DisableControlsHoldsTheEventsBackUntilEnabled)
{
    TLinkRegistrado link;
    link.SetDataSource(&fonte);
    link.Eventos.clear();
    tabela.DisableControls();
    tabela.Next();
    tabela.Next();
    tabela.Close();
    tabela.Open();
    EXPECT_TRUE(link.Eventos.empty());
    tabela.EnableControls();
    EXPECT_EQ(link.Eventos, (std::vector<QString>{"mudou"}));
}

TEST_F(TDataLinkTest, ClosingAndFreeingDeactivateTheLinks)
{
    TLinkRegistrado link;
    link.SetDataSource(&fonte);
    tabela.Close();
    EXPECT_FALSE(link.Active());
    tabela.Open();
    EXPECT_TRUE(link.Active());
    {
        TDataSource outra;
        link.SetDataSource(&outra);
        EXPECT_FALSE(link.Active());
    }
    EXPECT_EQ(link.DataSource(), nullptr);
}

TEST_F(TDataLinkTest, AFieldLinkFollowsItsField)
{
    TFieldDataLink link;
    int mudancas = 0;
    link.OnDataChange = [&] { ++mudancas; };
    link.SetFieldName(QStringLiteral("n"));
    link.SetDataSource(&fonte);
    ASSERT_NE(link.Field(), nullptr);
    EXPECT_EQ(link.Field()->AsInteger(), 1);
    mudancas = 0;
    tabela.Next();
    EXPECT_EQ(mudancas, 1);
    EXPECT_EQ(link.Field()->AsInteger(), 2);
}

}   // namespace

namespace {

TEST_F(TDataLinkTest, AGrowingLinkNearTheEndTakesEarlierRecordsAndTheOtherLinksStayPut)
{
    TLinkRegistrado pequeno, grande;
    pequeno.SetDataSource(&fonte);
    pequeno.SetBufferCount(2);
    tabela.Last();
    tabela.Prior();
    EXPECT_EQ(pequeno.Visiveis("N"), (QStringList{"9", "10"}));
    grande.SetDataSource(&fonte);
    grande.SetBufferCount(5);
    EXPECT_EQ(grande.Visiveis("N"), (QStringList{"6", "7", "8", "9", "10"}));
    EXPECT_EQ(grande.ActiveRecord(), 3);
    EXPECT_EQ(pequeno.Visiveis("N"), (QStringList{"9", "10"}));
    EXPECT_EQ(pequeno.ActiveRecord(), 0);
}

TEST_F(TDataLinkTest, InsertingAppendingAndDeletingInsideTheWindow)
{
    TLinkRegistrado link;
    link.SetDataSource(&fonte);
    link.SetBufferCount(3);
    tabela.Next();
    tabela.Insert();
    EXPECT_EQ(link.RecordCount(), 3);
    EXPECT_EQ(link.ActiveRecord(), 1);
    EXPECT_EQ(link.Visiveis("N"), (QStringList{"1", "", "2"})) << "the new record stands before the current one";
    tabela.Cancel();
    EXPECT_EQ(link.Visiveis("N"), (QStringList{"1", "2", "3"}));
    tabela.Append();
    EXPECT_EQ(link.Visiveis("N"), (QStringList{"9", "10", ""}));
    EXPECT_TRUE(tabela.Eof());
    tabela.Fields(0)->SetAsString(QStringLiteral("011"));
    tabela.Fields(1)->SetAsInteger(11);
    tabela.Post();
    EXPECT_EQ(link.Visiveis("N"), (QStringList{"9", "10", "11"}));
    tabela.Delete();
    EXPECT_EQ(link.Visiveis("N"), (QStringList{"8", "9", "10"}));
    EXPECT_EQ(link.ActiveRecord(), 2);
}

TEST_F(TDataLinkTest, AnEmptyDatasetHasNoRows)
{
    TLinkRegistrado link;
    link.SetDataSource(&fonte);
    link.SetBufferCount(5);
    tabela.EmptyTable();
    EXPECT_TRUE(link.Active());
    EXPECT_EQ(link.RecordCount(), 0);
    EXPECT_TRUE(link.Bof());
    EXPECT_TRUE(link.Eof());
    EXPECT_EQ(link.MoveBy(1), 0);
}

TEST_F(TDataLinkTest, LongMovesReportTheirWholeDistance)
{
    TLinkRegistrado link;
    link.SetDataSource(&fonte);
    link.SetBufferCount(3);
    link.Eventos.clear();
    EXPECT_EQ(tabela.MoveBy(6), 6);
    EXPECT_EQ(link.Eventos.back(), QStringLiteral("rolou 4"));
    EXPECT_EQ(link.Visiveis("N"), (QStringList{"5", "6", "7"}));
    EXPECT_EQ(tabela.MoveBy(-20), -6);
    EXPECT_TRUE(tabela.Bof());
    EXPECT_EQ(link.Visiveis("N"), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(tabela.RecNo(), 1);
}

}   // namespace
