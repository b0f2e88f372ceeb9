#include <gtest/gtest.h>

#include <QStringList>
#include <functional>

#include "platform/db/BancoDeTeste.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TEsquemaTabela.h"
#include "platform/db/datasets/TTable.h"
#include "platform/db/sqlite/TTransacao.h"
#include "support/FalhasDeDisco.h"

namespace {

struct TLinha {
    const char* Anexo;
    const char* Dono;
    const char* Item;
    const char* Codigo;
    const char* Nome;
};

class TTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tabela.SetDatabaseName(PastaDados());
        tabela.SetTableName(QStringLiteral("PruvItem.DB"));
        tabela.CreateTable(
            {{QStringLiteral("IN_ANEXO"), ftString, 1},
             {QStringLiteral("E_PRUV/ANEXO_DK"), ftString, 5},
             {QStringLiteral("PRUV_ITEM_DK"), ftString, 7},
             {QStringLiteral("TRIB_TRIBU"), ftString, 4},
             {QStringLiteral("NOME"), ftString, 30},
             {QStringLiteral("VALOR"), ftCurrency},
             {QStringLiteral("QTD"), ftInteger}},
            {{QString(), QStringLiteral("IN_ANEXO;E_PRUV/ANEXO_DK;PRUV_ITEM_DK"), TIndexOption::ixPrimary},
             {QStringLiteral("IChave"), QStringLiteral("IN_ANEXO;E_PRUV/ANEXO_DK;TRIB_TRIBU"),
              TIndexOption::ixCaseInsensitive},
             {QStringLiteral("INome"), QStringLiteral("NOME"), TIndexOption::ixCaseInsensitive}});
        tabela.Open();
    }

    void Grava(const std::vector<TLinha>& linhas)
    {
        for (const auto& l : linhas) {
            tabela.Append();
            tabela.FieldByName(QStringLiteral("IN_ANEXO"))->SetAsString(QString::fromUtf8(l.Anexo));
            tabela.FieldByName(QStringLiteral("E_PRUV/ANEXO_DK"))->SetAsString(QString::fromUtf8(l.Dono));
            tabela.FieldByName(QStringLiteral("PRUV_ITEM_DK"))->SetAsString(QString::fromUtf8(l.Item));
            tabela.FieldByName(QStringLiteral("TRIB_TRIBU"))->SetAsString(QString::fromUtf8(l.Codigo));
            tabela.FieldByName(QStringLiteral("NOME"))->SetAsString(QString::fromUtf8(l.Nome));
            tabela.Post();
        }
    }

    void GravaPadrao()
    {
        Grava({{"0", "00001", "0000003", "0561", "carla"},
               {"0", "00001", "0000001", "0588", "Bruno"},
               {"0", "00002", "0000001", "0561", "ana"},
               {"0", "00001", "0000002", "0561", "Ana"},
               {"1", "00001", "0000001", "1708", "DANIEL"}});
    }

    // The values of one field from the current record to the end.
    QStringList Caminha(const char* campo)
    {
        QStringList valores;
        while (!tabela.Eof()) {
            valores << tabela.FieldByName(QString::fromUtf8(campo))->AsString();
            tabela.Next();
        }
        return valores;
    }

    QString Chave()
    {
        return tabela.FieldByName(QStringLiteral("E_PRUV/ANEXO_DK"))->AsString() + QLatin1Char('/')
            + tabela.FieldByName(QStringLiteral("PRUV_ITEM_DK"))->AsString();
    }

    TTable tabela;
};

TEST_F(TTableTest, WalksInTheOrderOfTheIndexWithTiesBrokenByThePrimaryKey)
{
    GravaPadrao();
    const struct {
        const char* indice;
        const char* campo;
        QStringList esperado;
    } casos[] = {
        {"", "PRUV_ITEM_DK", {"0000001", "0000002", "0000003", "0000001", "0000001"}},
        {"IChave", "PRUV_ITEM_DK", {"0000002", "0000003", "0000001", "0000001", "0000001"}},
        // Case is ignored; "Ana" and "ana" tie and keep the primary key's order.
        {"INome", "NOME", {"Ana", "ana", "Bruno", "carla", "DANIEL"}},
        {"inome", "NOME", {"Ana", "ana", "Bruno", "carla", "DANIEL"}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.indice);
        tabela.SetIndexName(QString::fromUtf8(c.indice));
        tabela.First();
        EXPECT_EQ(Caminha(c.campo), c.esperado);
    }
}

TEST_F(TTableTest, BofAndEofBehaveAsATableCursor)
{
    EXPECT_TRUE(tabela.Bof());
    EXPECT_TRUE(tabela.Eof());
    EXPECT_TRUE(tabela.IsEmpty());
    GravaPadrao();
    tabela.First();
    EXPECT_TRUE(tabela.Bof());
    EXPECT_FALSE(tabela.Eof());
    tabela.Next();
    EXPECT_FALSE(tabela.Bof());
    tabela.Last();
    EXPECT_TRUE(tabela.Eof());
    EXPECT_FALSE(tabela.Bof());
    const QString ultima = Chave();
    tabela.Prior();
    EXPECT_FALSE(tabela.Eof());
    tabela.Next();
    EXPECT_FALSE(tabela.Eof()) << "moving onto the last record does not set Eof";
    tabela.Next();
    EXPECT_TRUE(tabela.Eof()) << "Next on the last record sets Eof";
    EXPECT_EQ(Chave(), ultima) << "and stays on it";
    tabela.First();
    tabela.Prior();
    EXPECT_TRUE(tabela.Bof());
    EXPECT_EQ(Chave(), QStringLiteral("00001/0000001"));
}

TEST_F(TTableTest, RangesOnTheLeadingIndexFields)
{
    GravaPadrao();
    const struct {
        const char* indice;
        QVariantList inicio;
        QVariantList fim;
        bool exclusivoNoFim;
        int esperado;
    } casos[] = {
        {"", {"0", "00001"}, {"0", "00001"}, false, 3},
        {"", {"0", "00001", "0000002"}, {"0", "00001", "9999999"}, false, 2},
        {"", {"0"}, {"0"}, false, 4},
        {"", {"0", "00001"}, {"0", "00002"}, true, 3},
        {"IChave", {"0", "00001", "0561"}, {"0", "00001", "0561"}, false, 2},
        {"INome", {"ANA"}, {"ANA"}, false, 2},   // the index ignores case
        {"", {"2"}, {"9"}, false, 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(QString::fromUtf8(c.indice)).arg(c.esperado).toStdString());
        tabela.SetIndexName(QString::fromUtf8(c.indice));
        tabela.SetRangeStart();
        for (int i = 0; i < c.inicio.size(); ++i)
            tabela.IndexFields(i)->SetValue(c.inicio[i]);
        tabela.SetRangeEnd();
        for (int i = 0; i < c.fim.size(); ++i)
            tabela.IndexFields(i)->SetValue(c.fim[i]);
        tabela.SetKeyExclusive(c.exclusivoNoFim);
        tabela.ApplyRange();
        EXPECT_EQ(tabela.RecordCount(), c.esperado);
        EXPECT_EQ(Caminha("NOME").size(), c.esperado);
        EXPECT_EQ(tabela.IsEmpty(), c.esperado == 0);
    }
    tabela.CancelRange();
    EXPECT_EQ(tabela.RecordCount(), 5);
}

TEST_F(TTableTest, SetRangeMovesToTheFirstRecordAndCancelRangeKeepsTheCurrentOne)
{
    GravaPadrao();
    tabela.SetRange({QStringLiteral("0"), QStringLiteral("00001"), QStringLiteral("0000002")},
                    {QStringLiteral("0"), QStringLiteral("00001"), QStringLiteral("9999999")});
    EXPECT_EQ(Chave(), QStringLiteral("00001/0000002"));
    tabela.Next();
    tabela.CancelRange();
    EXPECT_EQ(Chave(), QStringLiteral("00001/0000003"));
    EXPECT_EQ(tabela.RecordCount(), 5);
}

TEST_F(TTableTest, FindKeyFindsExactlyAndLeavesTheCursorWhenNotFound)
{
    GravaPadrao();
    tabela.SetIndexName(QStringLiteral("IChave"));
    tabela.Last();
    const QString antes = Chave();
    EXPECT_FALSE(tabela.FindKey({QStringLiteral("0"), QStringLiteral("00001"), QStringLiteral("9999")}));
    EXPECT_EQ(Chave(), antes);
    EXPECT_TRUE(tabela.FindKey({QStringLiteral("0"), QStringLiteral("00001"), QStringLiteral("0561")}));
    EXPECT_EQ(Chave(), QStringLiteral("00001/0000002")) << "the first of the equal keys";
    EXPECT_TRUE(tabela.FindKey({QStringLiteral("0"), QStringLiteral("00002")}));
    EXPECT_EQ(Chave(), QStringLiteral("00002/0000001"));
    EXPECT_THROW(tabela.FindKey({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}),
                 EDatabaseError);
    EXPECT_EQ(tabela.State(), dsBrowse);
}

TEST_F(TTableTest, FindNearestGoesToTheNextKeyOrToTheLastRecord)
{
    GravaPadrao();
    tabela.SetIndexName(QStringLiteral("INome"));
    tabela.FindNearest({QStringLiteral("B")});
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("NOME"))->AsString(), QStringLiteral("Bruno"));
    tabela.FindNearest({QStringLiteral("bruno")});
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("NOME"))->AsString(), QStringLiteral("Bruno"));
    tabela.FindNearest({QStringLiteral("zzz")});
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("NOME"))->AsString(), QStringLiteral("DANIEL"));
    tabela.SetKey();
    tabela.FieldByName(QStringLiteral("NOME"))->SetAsString(QStringLiteral("bruno"));
    tabela.SetKeyExclusive(true);
    tabela.GotoNearest();
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("NOME"))->AsString(), QStringLiteral("carla"));
}

TEST_F(TTableTest, LocateFindsByFieldsAndAFailedLocateLeavesTheCursorWhereItWas)
{
    GravaPadrao();
    tabela.Last();
    const QString antes = Chave();
    const struct {
        const char* campos;
        QVariantList valores;
        TLocateOptions opcoes;
        const char* esperado;   // null: not found
    } casos[] = {
        {"NOME", {"Bruno"}, 0, "00001/0000001"},
        {"NOME", {"bruno"}, 0, nullptr},
        {"NOME", {"bruno"}, TLocateOption::loCaseInsensitive, "00001/0000001"},
        {"NOME", {"Br"}, TLocateOption::loPartialKey, "00001/0000001"},
        {"NOME", {"br"}, TLocateOption::loPartialKey, nullptr},
        {"TRIB_TRIBU;NOME", {"0561", "ana"}, 0, "00002/0000001"},
        {"NOME", {"nobody"}, 0, nullptr},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.campos);
        tabela.Last();
        const bool achou = tabela.Locate(QString::fromUtf8(c.campos), c.valores, c.opcoes);
        EXPECT_EQ(achou, c.esperado != nullptr);
        EXPECT_EQ(Chave(), c.esperado ? QString::fromUtf8(c.esperado) : antes);
    }
    EXPECT_EQ(tabela.Lookup(QStringLiteral("NOME"), {QStringLiteral("carla")}, QStringLiteral("TRIB_TRIBU")),
              QVariant(QStringLiteral("0561")));
    EXPECT_EQ(Chave(), antes) << "Lookup does not move";
}

TEST_F(TTableTest, EditingPostingCancellingAndDeleting)
{
    GravaPadrao();
    tabela.First();
    tabela.Edit();
    tabela.FieldByName(QStringLiteral("NOME"))->SetAsString(QStringLiteral("Beatriz"));
    EXPECT_TRUE(tabela.Modified());
    tabela.Cancel();
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("NOME"))->AsString(), QStringLiteral("Bruno"));
    tabela.Edit();
    tabela.FieldByName(QStringLiteral("NOME"))->SetAsString(QStringLiteral("Beatriz"));
    tabela.Post();
    EXPECT_EQ(tabela.State(), dsBrowse);
    tabela.Refresh();
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("NOME"))->AsString(), QStringLiteral("Beatriz"));

    // After Delete the next row is current; after deleting the last, the prior one.
    EXPECT_EQ(Chave(), QStringLiteral("00001/0000001"));
    tabela.Delete();
    EXPECT_EQ(Chave(), QStringLiteral("00001/0000002"));
    tabela.Last();
    tabela.Delete();
    EXPECT_EQ(Chave(), QStringLiteral("00002/0000001"));
    EXPECT_EQ(tabela.RecordCount(), 3);

    // A new record takes its place in the index order.
    tabela.Insert();
    tabela.FieldByName(QStringLiteral("IN_ANEXO"))->SetAsString(QStringLiteral("0"));
    tabela.FieldByName(QStringLiteral("E_PRUV/ANEXO_DK"))->SetAsString(QStringLiteral("00001"));
    tabela.FieldByName(QStringLiteral("PRUV_ITEM_DK"))->SetAsString(QStringLiteral("0000009"));
    tabela.Post();
    EXPECT_EQ(Chave(), QStringLiteral("00001/0000009"));
    tabela.Next();
    EXPECT_EQ(Chave(), QStringLiteral("00002/0000001"));
}

TEST_F(TTableTest, ADuplicateKeyFailsThePostAndKeepsTheEdit)
{
    GravaPadrao();
    tabela.Append();
    tabela.FieldByName(QStringLiteral("IN_ANEXO"))->SetAsString(QStringLiteral("0"));
    tabela.FieldByName(QStringLiteral("E_PRUV/ANEXO_DK"))->SetAsString(QStringLiteral("00001"));
    tabela.FieldByName(QStringLiteral("PRUV_ITEM_DK"))->SetAsString(QStringLiteral("0000001"));
    try {
        tabela.Post();
        FAIL() << "a duplicate key was posted";
    } catch (const EDBEngineError& e) {
        EXPECT_TRUE(e.Mensagem().contains(QLatin1String("UNIQUE"))) << e.what();
    }
    EXPECT_EQ(tabela.State(), dsInsert);
    tabela.Cancel();
    EXPECT_EQ(tabela.RecordCount(), 5);
}

TEST_F(TTableTest, DeletingWhileWalkingVisitsEveryRowOnce)
{
    for (int i = 1; i <= 50; ++i)
        Grava({{"0", "00001", qPrintable(QStringLiteral("%1").arg(i, 7, 10, QLatin1Char('0'))), i % 3 ? "0561" : "0588",
                "x"}});
    TTable outra;
    outra.SetDatabaseName(PastaDados());
    outra.SetTableName(QStringLiteral("pruvitem"));
    outra.Open();
    int vistos = 0;
    tabela.First();
    while (!tabela.Eof()) {
        ++vistos;
        if (tabela.FieldByName(QStringLiteral("TRIB_TRIBU"))->AsString() == QLatin1String("0588")) {
            tabela.Delete();
            // Another cursor deletes the row ahead of this one.
            const QString proximo = tabela.FieldByName(QStringLiteral("PRUV_ITEM_DK"))->AsString();
            if (outra.FindKey({QStringLiteral("0"), QStringLiteral("00001"), proximo})
                && proximo.endsWith(QLatin1Char('1')))
                outra.Delete();
        } else {
            tabela.Next();
        }
    }
    EXPECT_LE(vistos, 50);
    tabela.Refresh();
    EXPECT_EQ(tabela.RecordCount(), outra.RecordCount());
    tabela.First();
    for (const QString& codigo : Caminha("TRIB_TRIBU"))
        EXPECT_EQ(codigo, QStringLiteral("0561"));
}

TEST_F(TTableTest, BookmarksFindAndCompareRecords)
{
    GravaPadrao();
    tabela.SetIndexName(QStringLiteral("INome"));
    tabela.First();
    const TBookmark primeiro = tabela.GetBookmark();
    tabela.Last();
    const TBookmark ultimo = tabela.GetBookmark();
    EXPECT_EQ(tabela.CompareBookmarks(primeiro, ultimo), -1);
    EXPECT_EQ(tabela.CompareBookmarks(ultimo, primeiro), 1);
    EXPECT_EQ(tabela.CompareBookmarks(primeiro, primeiro), 0);
    EXPECT_TRUE(tabela.BookmarkValid(primeiro));
    tabela.GotoBookmark(primeiro);
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("NOME"))->AsString(), QStringLiteral("Ana"));
    tabela.Delete();
    EXPECT_FALSE(tabela.BookmarkValid(primeiro));
    EXPECT_THROW(tabela.GotoBookmark(primeiro), EDatabaseError);
}

TEST_F(TTableTest, RecordNumbersFollowTheOrder)
{
    GravaPadrao();
    EXPECT_TRUE(tabela.IsSequenced());
    tabela.SetIndexName(QStringLiteral("INome"));
    tabela.SetRecNo(3);
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("NOME"))->AsString(), QStringLiteral("Bruno"));
    EXPECT_EQ(tabela.RecNo(), 3);
}

TEST_F(TTableTest, MoneyIsStoredExactly)
{
    Grava({{"0", "00001", "0000001", "0561", "a"}});
    tabela.Edit();
    tabela.FieldByName(QStringLiteral("VALOR"))->SetAsFixed4(999999999999999LL);
    tabela.Post();
    tabela.Close();
    tabela.Open();
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("VALOR"))->AsFixed4(), 999999999999999LL);
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("VALOR"))->AsString(), QStringLiteral("99999999999,9999"));
    tabela.Edit();
    tabela.FieldByName(QStringLiteral("VALOR"))->SetAsString(QStringLiteral("0,1"));
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("VALOR"))->AsFixed4(), 1000);
    EXPECT_THROW(tabela.FieldByName(QStringLiteral("VALOR"))->SetAsString(QStringLiteral("1.000,00")), EDatabaseError);
    tabela.Cancel();
}

TEST_F(TTableTest, EmptyTableRemovesEveryRowWhateverTheRange)
{
    GravaPadrao();
    tabela.SetRange({QStringLiteral("1")}, {QStringLiteral("1")});
    tabela.EmptyTable();
    tabela.CancelRange();
    EXPECT_TRUE(tabela.IsEmpty());
    EXPECT_EQ(tabela.RecordCount(), 0);
}

TEST_F(TTableTest, IndexesAreAddedAndRemovedByName)
{
    GravaPadrao();
    tabela.AddIndex(QStringLiteral("ICodigo"), QStringLiteral("TRIB_TRIBU;NOME"), TIndexOption::ixCaseInsensitive);
    QStringList nomes;
    tabela.GetIndexNames(nomes);
    EXPECT_EQ(nomes, (QStringList{QStringLiteral("IChave"), QStringLiteral("ICodigo"), QStringLiteral("INome")}));
    tabela.SetIndexName(QStringLiteral("ICodigo"));
    tabela.First();
    EXPECT_EQ(Caminha("NOME"),
              (QStringList{QStringLiteral("Ana"), QStringLiteral("ana"), QStringLiteral("carla"),
                           QStringLiteral("Bruno"), QStringLiteral("DANIEL")}));
    tabela.DeleteIndex(QStringLiteral("icodigo"));
    EXPECT_TRUE(tabela.IndexName().isEmpty());
    EXPECT_THROW(tabela.SetIndexName(QStringLiteral("ICodigo")), EDatabaseError);
    EXPECT_TRUE(tabela.IndexName().isEmpty()) << "a failed switch keeps the order";
}

TEST_F(TTableTest, FieldsKeepTheirNamesWithSlashes)
{
    GravaPadrao();
    TField* campo = tabela.FieldByName(QStringLiteral("e_pruv/anexo_dk"));
    EXPECT_EQ(campo->FieldName(), QStringLiteral("E_PRUV/ANEXO_DK"));
    EXPECT_EQ(campo->Size(), 5);
    EXPECT_EQ(campo->DisplayWidth(), 5);
    EXPECT_EQ(tabela.Fields(5)->DataType(), ftCurrency);
    EXPECT_EQ(tabela.Fields(5)->Alignment(), taRightJustify);
    EXPECT_THROW((void)tabela.FieldByName(QStringLiteral("NOPE")), EDatabaseError);
}

}   // namespace

namespace {

TEST_F(TTableTest, CalculatedAndLookupFieldsAreFilledForEveryRecord)
{
    GravaPadrao();
    TTable nomes;
    nomes.SetDatabaseName(PastaDados());
    nomes.SetTableName(QStringLiteral("Codigos"));
    nomes.CreateTable({{QStringLiteral("COD"), ftString, 4}, {QStringLiteral("DESCRICAO"), ftString, 20}},
                      {{QString(), QStringLiteral("COD"), TIndexOption::ixPrimary}});
    nomes.Open();
    for (const auto& [codigo, descricao] : {std::pair{"0561", "Trabalho"}, std::pair{"0588", "Autonomo"}}) {
        nomes.Append();
        nomes.Fields(0)->SetAsString(QString::fromUtf8(codigo));
        nomes.Fields(1)->SetAsString(QString::fromUtf8(descricao));
        nomes.Post();
    }
    tabela.Close();
    auto calculado = std::make_unique<TField>(ftString, QStringLiteral("CHAVE"), 20, fkCalculated);
    auto procurado = std::make_unique<TField>(ftString, QStringLiteral("DESCRICAO"), 20, fkLookup);
    procurado->LookupDataSet = &nomes;
    procurado->KeyFields = QStringLiteral("TRIB_TRIBU");
    procurado->LookupKeyFields = QStringLiteral("COD");
    procurado->LookupResultField = QStringLiteral("DESCRICAO");
    tabela.AddField(std::move(calculado));
    tabela.AddField(std::move(procurado));
    tabela.OnCalcFields = [](TDataSet* d) {
        d->FieldByName(QStringLiteral("CHAVE"))
            ->SetAsString(d->FieldByName(QStringLiteral("E_PRUV/ANEXO_DK"))->AsString() + QLatin1Char('-')
                          + d->FieldByName(QStringLiteral("PRUV_ITEM_DK"))->AsString());
    };
    tabela.Open();
    EXPECT_EQ(tabela.FieldCount(), 9);
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("CHAVE"))->AsString(), QStringLiteral("00001-0000001"));
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("DESCRICAO"))->AsString(), QStringLiteral("Autonomo"));
    tabela.Next();
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("DESCRICAO"))->AsString(), QStringLiteral("Trabalho"));
    tabela.Edit();
    tabela.FieldByName(QStringLiteral("TRIB_TRIBU"))->SetAsString(QStringLiteral("0588"));
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("DESCRICAO"))->AsString(), QStringLiteral("Autonomo"))
        << "recalculated while editing";
    EXPECT_THROW(tabela.FieldByName(QStringLiteral("CHAVE"))->SetAsString(QStringLiteral("x")), EDatabaseError);
    tabela.Cancel();
    EXPECT_TRUE(tabela.Locate(QStringLiteral("CHAVE"), {QStringLiteral("00002-0000001")}, 0));
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("NOME"))->AsString(), QStringLiteral("ana"));
    tabela.Close();
    tabela.Open();
    EXPECT_EQ(tabela.FieldCount(), 9) << "the added fields stay";
}

}   // namespace

namespace {

TEST_F(TTableTest, OrderByFieldsAndRecordsThatMoveWhenTheirKeyChanges)
{
    GravaPadrao();
    tabela.SetIndexFieldNames(QStringLiteral("TRIB_TRIBU;NOME"));
    EXPECT_TRUE(tabela.IndexName().isEmpty());
    tabela.First();
    EXPECT_EQ(Caminha("NOME"),
              (QStringList{QStringLiteral("Ana"), QStringLiteral("ana"), QStringLiteral("carla"),
                           QStringLiteral("Bruno"), QStringLiteral("DANIEL")}));
    tabela.First();
    tabela.Edit();
    tabela.FieldByName(QStringLiteral("TRIB_TRIBU"))->SetAsString(QStringLiteral("9999"));
    tabela.Post();
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("NOME"))->AsString(), QStringLiteral("Ana"))
        << "the record is followed";
    tabela.Next();
    EXPECT_TRUE(tabela.Eof()) << "to its new place at the end";
    tabela.SetIndexName(QStringLiteral("INome"));
    EXPECT_TRUE(tabela.IndexFieldNames().isEmpty());
}

TEST_F(TTableTest, RefreshShowsOtherCursorsChangesAndKeepsThePosition)
{
    GravaPadrao();
    tabela.First();
    tabela.Next();   // 00001/0000002
    TTable outra;
    outra.SetDatabaseName(PastaDados());
    outra.SetTableName(QStringLiteral("PRUVITEM"));
    outra.Open();
    ASSERT_TRUE(outra.FindKey({QStringLiteral("0"), QStringLiteral("00001"), QStringLiteral("0000002")}));
    outra.Edit();
    outra.FieldByName(QStringLiteral("NOME"))->SetAsString(QStringLiteral("Alice"));
    outra.Post();
    tabela.Refresh();
    EXPECT_EQ(Chave(), QStringLiteral("00001/0000002"));
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("NOME"))->AsString(), QStringLiteral("Alice"));
    outra.Delete();
    tabela.Refresh();
    EXPECT_EQ(Chave(), QStringLiteral("00001/0000003")) << "the record after the one deleted";
}

// Whether the current record is the first or the last: known from the reads that met that end,
// else sought once after each reading and then told without reading; a reading again sees
// records written meanwhile.
TEST_F(TTableTest, TheFirstAndTheLastRecordAreKnownFromTheReadsOrSoughtOncePerReading)
{
    GravaPadrao();
    const auto passos = [](const std::function<void()>& acao) {
        const quint64 antes = TComando::PassosMotor();
        acao();
        return TComando::PassosMotor() - antes;
    };
    bool extremo = false;
    tabela.First();
    tabela.Next();
    tabela.Prior();
    ASSERT_FALSE(tabela.Bof());
    EXPECT_EQ(passos([&] { extremo = tabela.EhExtremo(gmPrior); }), 0u) << "First met it";
    EXPECT_TRUE(extremo);
    EXPECT_FALSE(tabela.EhExtremo(gmNext));
    tabela.Refresh();
    EXPECT_GT(passos([&] { extremo = tabela.EhExtremo(gmPrior); }), 0u) << "read again: sought";
    EXPECT_TRUE(extremo);
    EXPECT_EQ(passos([&] { extremo = tabela.EhExtremo(gmPrior); }), 0u) << "then known";
    EXPECT_TRUE(extremo);

    TTable outra;
    outra.SetDatabaseName(PastaDados());
    outra.SetTableName(QStringLiteral("PRUVITEM"));
    outra.Open();
    outra.Append();
    outra.FieldByName(QStringLiteral("IN_ANEXO"))->SetAsString(QStringLiteral("0"));
    outra.FieldByName(QStringLiteral("E_PRUV/ANEXO_DK"))->SetAsString(QStringLiteral("00000"));
    outra.FieldByName(QStringLiteral("PRUV_ITEM_DK"))->SetAsString(QStringLiteral("0000001"));
    outra.Post();
    tabela.Refresh();
    EXPECT_EQ(Chave(), QStringLiteral("00001/0000001"));
    EXPECT_FALSE(tabela.EhExtremo(gmPrior)) << "a record written before it by another cursor";

    tabela.SetRange({QStringLiteral("0")}, {QStringLiteral("0")});
    tabela.Last();
    tabela.Prior();
    tabela.Next();
    ASSERT_EQ(Chave(), QStringLiteral("00002/0000001"));
    EXPECT_EQ(passos([&] { extremo = tabela.EhExtremo(gmNext); }), 0u) << "Last met it";
    EXPECT_TRUE(extremo) << "the last within the range";
    tabela.CancelRange();
    EXPECT_FALSE(tabela.EhExtremo(gmNext)) << "the range let go";

    tabela.Last();
    tabela.Delete();
    EXPECT_TRUE(tabela.EhExtremo(gmNext)) << "the record before the last one deleted";
    tabela.Insert();
    EXPECT_FALSE(tabela.EhExtremo(gmPrior)) << "a record being inserted has no place yet";
    EXPECT_FALSE(tabela.EhExtremo(gmNext));
    tabela.Cancel();
}

}   // namespace

namespace {

QStringList NomesDosCampos(TTable& tabela)
{
    QStringList nomes;
    for (int i = 0; i < tabela.FieldCount(); ++i)
        nomes << tabela.Fields(i)->FieldName();
    return nomes;
}

}   // namespace

TEST_F(TTableTest, ATableOpenedAgainSeesItsSchemaAsItIsAfterAChangeOrARollback)
{
    // The database keeps what it read of a table and the statements of closed tables; neither may
    // outlive the schema they were made for, even when a rollback brings back a version number.
    tabela.Close();
    auto banco = Banco();
    auto refaz = [&](const char* extra) {
        TEsquemaTabela::Cria(*banco, QStringLiteral("Outra"),
                             {{QStringLiteral("CHAVE"), ftString, 5}, {QString::fromUtf8(extra), ftString, 5}},
                             {{QString(), QStringLiteral("CHAVE"), TIndexOption::ixPrimary}});
    };
    auto nomes = [&] {
        TTable outra;
        outra.SetDatabaseName(PastaDados());
        outra.SetTableName(QStringLiteral("Outra"));
        outra.Open();
        return NomesDosCampos(outra);
    };
    refaz("PRIMEIRO");
    EXPECT_EQ(nomes(), (QStringList{"CHAVE", "PRIMEIRO"}));
    {
        TTransacao desfeita(*banco);
        refaz("DESFEITO");
        EXPECT_EQ(nomes(), (QStringList{"CHAVE", "DESFEITO"}));
    }
    refaz("SEGUNDO");   // the same number of changes as the one undone, before any other read
    EXPECT_EQ(nomes(), (QStringList{"CHAVE", "SEGUNDO"}));
}

TEST_F(TTableTest, TablesOpenedOneAfterAnotherEachWalkTheirOwnRange)
{
    // The second one prepares nothing: it takes the first one's statements, bound afresh.
    GravaPadrao();
    tabela.Close();
    auto caminha = [&](const char* dono) {
        TTable outra;
        outra.SetDatabaseName(PastaDados());
        outra.SetTableName(QStringLiteral("PruvItem.DB"));
        outra.Open();
        outra.SetRange({QStringLiteral("0"), QString::fromUtf8(dono)}, {QStringLiteral("0"), QString::fromUtf8(dono)});
        QStringList itens;
        for (outra.First(); !outra.Eof(); outra.Next())
            itens << outra.FieldByName(QStringLiteral("PRUV_ITEM_DK"))->AsString();
        return itens;
    };
    EXPECT_EQ(caminha("00001"), (QStringList{"0000001", "0000002", "0000003"}));
    EXPECT_EQ(caminha("00002"), QStringList{"0000001"});
    EXPECT_EQ(caminha("00001"), (QStringList{"0000001", "0000002", "0000003"}));
    EXPECT_EQ(caminha("00003"), QStringList{});
}

TEST_F(TTableTest, AnOpeningHeldBackReadsItsRowsOnceTheHoldEndsUnderWhatWasSetMeanwhile)
{
    GravaPadrao();
    tabela.Close();
    int rolagens = 0;
    tabela.AfterScroll = [&](TDataSet*) { ++rolagens; };
    tabela.AdiaReposicao();
    tabela.Open();
    tabela.SetIndexName(QStringLiteral("IChave"));
    tabela.SetRange({QStringLiteral("0"), QStringLiteral("00001"), QStringLiteral("0561")},
                    {QStringLiteral("0"), QStringLiteral("00001"), QStringLiteral("0561")});
    EXPECT_EQ(rolagens, 0);   // nothing read yet
    tabela.Repoe();
    EXPECT_EQ(rolagens, 1);
    EXPECT_TRUE(tabela.Bof());
    EXPECT_EQ(Caminha("PRUV_ITEM_DK"), QStringList({QStringLiteral("0000002"), QStringLiteral("0000003")}));

    // An opening that fails while held back leaves the table closed and the hold undone.
    tabela.Close();
    tabela.SetTableName(QStringLiteral("NaoExiste.DB"));
    tabela.AdiaReposicao();
    EXPECT_THROW(tabela.Open(), EDatabaseError);
    tabela.Repoe();
    EXPECT_FALSE(tabela.Active());
    tabela.SetTableName(QStringLiteral("PruvItem.DB"));
    tabela.SetIndexName(QString());
    tabela.Open();
    EXPECT_EQ(Chave(), QStringLiteral("00001/0000001"));
}

namespace {

// A record posted as it was read writes nothing: on a disk that takes no writes it is saved all the
// same, while a change is refused there as any write is.
TEST_F(TTableTest, APostThatChangesNoValueWritesNothing)
{
    GravaPadrao();
    tabela.First();
    const QString nome = tabela.FieldByName(QStringLiteral("NOME"))->AsString();
    FalhasDeDisco::Armada semGravacao({0, FalhasDeDisco::Todas, true, false});
    tabela.Edit();
    tabela.FieldByName(QStringLiteral("NOME"))->SetAsString(QStringLiteral("outro nome"));
    tabela.FieldByName(QStringLiteral("NOME"))->SetAsString(nome);
    tabela.FieldByName(QStringLiteral("TRIB_TRIBU"))
        ->SetAsString(tabela.FieldByName(QStringLiteral("TRIB_TRIBU"))->AsString());
    EXPECT_NO_THROW(tabela.Post());
    EXPECT_FALSE(FalhasDeDisco::Disparou());
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("NOME"))->AsString(), nome);

    tabela.Edit();
    tabela.FieldByName(QStringLiteral("NOME"))->SetAsString(QStringLiteral("outro nome"));
    EXPECT_THROW(tabela.Post(), EDatabaseError);
    tabela.Cancel();
}

}   // namespace
