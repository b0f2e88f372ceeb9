#include <gtest/gtest.h>

#include <QDir>

#include "components/data/datasets/TdvTable.h"
#include "components/data/datasets/dvIndexSearch.h"
#include "components/data/datasets/dvLookupLinks.h"
#include "components/data/settings/TdvIntl.h"
#include "platform/db/datasets/TField.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "support/ProgramaDeTeste.h"

namespace {

QString PastaDados()
{
    const QString pasta = ProgramaDeTeste::Pasta() + QStringLiteral("/DADOS");
    QDir().mkpath(pasta);
    return pasta;
}

// Creates a table with its rows (values in field order) and leaves it open.
void Cria(TdvTable& tabela, const QString& nome, const std::vector<TFieldDef>& campos,
          const std::vector<TIndexDef>& indices, const std::vector<QVariantList>& linhas)
{
    tabela.SetName(QStringLiteral("Tb") + nome);
    tabela.SetDatabaseName(PastaDados());
    tabela.SetTableName(nome + QStringLiteral(".db"));
    tabela.CreateTable(campos, indices);
    tabela.Open();
    for (const QVariantList& linha : linhas) {
        tabela.Append();
        for (int i = 0; i < linha.size(); ++i)
            tabela.Fields(i)->SetValue(linha[i]);
        tabela.Post();
    }
    tabela.First();
}

QString Texto(TDataSet& ds, const char* campo)
{
    return ds.FieldByName(QString::fromLatin1(campo))->AsString();
}

class IndexSearchTest : public ::testing::Test {
protected:
    IndexSearchTest()
    {
        Cria(benef, QStringLiteral("Benef"),
             {{QStringLiteral("NI"), ftString, 3},
              {QStringLiteral("NOME"), ftString, 12},
              {QStringLiteral("QTD"), ftInteger, 0}},
             {{QString(), QStringLiteral("NI"), TIndexOption::ixPrimary},
              {QStringLiteral("Nome"), QStringLiteral("NOME"), TIndexOption::ixCaseInsensitive},
              {QStringLiteral("NiNome"), QStringLiteral("NI;NOME"), 0},
              {QStringLiteral("Qtd"), QStringLiteral("QTD"), 0}},
             {{QStringLiteral("001"), QStringLiteral("Maria"), 30},
              {QStringLiteral("002"), QStringLiteral("ana"), 10},
              {QStringLiteral("003"), QStringLiteral("ANA PAULA"), 20}});
    }

    ~IndexSearchTest() override { dvIntl().UseLocateMethodForSearch = true; }

    TdvTable benef;
    DialogosRoteirizados dialogos;
};

}   // namespace

TEST_F(IndexSearchTest, MovesToTheFirstRecordThatBeginsWithTheText)
{
    for (bool locate : {true, false}) {
        SCOPED_TRACE(locate ? "locate" : "nearest key");
        dvIntl().UseLocateMethodForSearch = locate;
        const struct {
            const char* indice;
            const char* texto;
            int posicao;
            bool achou;
            const char* ni;
        } casos[] = {
            {"Nome", "an", 0, true, "002"}, {"Nome", "ANA P", 0, true, "003"}, {"Nome", "m", 0, true, "001"},
            {"", "00", 0, true, "001"},     {"", "003", 0, true, "003"},       {"Qtd", "20", 0, true, "003"},
            {"Qtd", "1a", 0, false, "002"},   // no integer: stays on the first (QTD 10)
        };
        for (const auto& c : casos) {
            SCOPED_TRACE(std::string(c.indice) + " " + c.texto);
            benef.SetIndexName(QString::fromLatin1(c.indice));
            benef.First();
            EXPECT_EQ(dvIndexSearch(&benef, QString::fromLatin1(c.texto), c.posicao), c.achou);
            EXPECT_EQ(Texto(benef, "NI"), QString::fromLatin1(c.ni));
        }
    }
}

TEST_F(IndexSearchTest, KeepsTheEarlierIndexFieldsOfTheCurrentRecord)
{
    benef.SetIndexName(QStringLiteral("NiNome"));
    benef.First();
    benef.Next();   // 002 ana
    EXPECT_TRUE(dvIndexSearch(&benef, QStringLiteral("an"), 1));
    EXPECT_EQ(Texto(benef, "NI"), QStringLiteral("002"));
    EXPECT_FALSE(dvIndexSearch(&benef, QStringLiteral("Ma"), 1));   // Maria has another NI
    EXPECT_FALSE(dvIndexSearch(&benef, QStringLiteral("x"), 2));    // no such index field
}

TEST_F(IndexSearchTest, NarrowsTheTableToTheTextWhenAsked)
{
    benef.NarrowSearch = true;
    benef.SetIndexName(QStringLiteral("Nome"));
    EXPECT_TRUE(dvIndexSearch(&benef, QStringLiteral("ana"), 0));
    EXPECT_EQ(benef.RecordCount(), 2);   // ana and ANA PAULA
    EXPECT_FALSE(benef.ControlsDisabled());
    EXPECT_FALSE(dvIndexSearch(&benef, QStringLiteral("zz"), 0));
    EXPECT_EQ(benef.RecordCount(), 0);
    EXPECT_TRUE(dvIndexSearch(&benef, QString(), 0));
    EXPECT_EQ(benef.RecordCount(), 3);

    benef.SetIndexName(QStringLiteral("Qtd"));
    EXPECT_TRUE(dvIndexSearch(&benef, QStringLiteral("10"), 0));
    EXPECT_EQ(benef.RecordCount(), 1);
    EXPECT_EQ(Texto(benef, "NI"), QStringLiteral("002"));
}

TEST_F(IndexSearchTest, ATableWithoutIndexIsReported)
{
    TdvTable solta;
    Cria(solta, QStringLiteral("Solta"), {{QStringLiteral("NOME"), ftString, 10}}, {}, {{QStringLiteral("a")}});
    EXPECT_FALSE(dvIndexSearch(&solta, QStringLiteral("a"), 0));
    EXPECT_EQ(dialogos.Textos(), QStringList{QStringLiteral("Table TbSolta: Table index not found")});
    EXPECT_FALSE(dvIsIndexedTable(&solta));
    EXPECT_TRUE(dvIsIndexedTable(&benef));
    EXPECT_FALSE(dvIsQueryTable(&benef));
    EXPECT_FALSE(dvIsIndexedTable(nullptr));
}

TEST_F(IndexSearchTest, LookupTablesFollowTheMasterRecord)
{
    TdvTable codigos;
    Cria(codigos, QStringLiteral("CodRet"),
         {{QStringLiteral("CODIGO"), ftString, 4}, {QStringLiteral("DESCRICAO"), ftString, 20}},
         {{QString(), QStringLiteral("CODIGO"), TIndexOption::ixPrimary}},
         {{QStringLiteral("0561"), QStringLiteral("Trabalho")}, {QStringLiteral("1708"), QStringLiteral("Serviços")}});
    codigos.Close();

    TdvTable itens;
    Cria(itens, QStringLiteral("Itens"),
         {{QStringLiteral("ITEM"), ftString, 3},
          {QStringLiteral("COD"), ftString, 4},
          {QStringLiteral("DESC"), ftString, 20}},
         {{QString(), QStringLiteral("ITEM"), TIndexOption::ixPrimary}},
         {{QStringLiteral("1"), QStringLiteral("0561"), QVariant()},
          {QStringLiteral("2"), QStringLiteral("1708"), QVariant()}});
    itens.LookupFields() = {QStringLiteral("DESC;;CODRET;DESCRICAO;;CODIGO")};
    itens.LookupLinks() = {QStringLiteral("COD;CODIGO")};

    itens.Last();
    dvDataSetUpdateLookupLinks(&itens, &itens.LookupFields(), &itens.LookupLinks(), dvGetLookupTables(&itens));
    ASSERT_EQ(itens.LookupTables().size(), 1u);
    EXPECT_EQ(Texto(*itens.LookupTables()[0], "DESCRICAO"), QStringLiteral("Serviços"));

    itens.First();
    dvDataSetUpdateLookupLinks(&itens, &itens.LookupFields(), &itens.LookupLinks(), dvGetLookupTables(&itens));
    EXPECT_EQ(itens.LookupTables().size(), 1u);   // the same table again
    EXPECT_EQ(Texto(*itens.LookupTables()[0], "DESCRICAO"), QStringLiteral("Trabalho"));

    TField* resultado = nullptr;
    QString mestre;
    itens.Last();
    EXPECT_TRUE(dvFindLookupRecord(&itens, itens.FieldByName(QStringLiteral("DESC")), resultado, mestre));
    ASSERT_NE(resultado, nullptr);
    EXPECT_EQ(resultado->AsString(), QStringLiteral("Serviços"));
    EXPECT_EQ(mestre, QStringLiteral("1708"));

    // A link to a master field that does not exist hides the lookup field instead of failing.
    itens.LookupLinks() = {QStringLiteral("SUMIDO;CODIGO")};
    dvDataSetUpdateLookupLinks(&itens, &itens.LookupFields(), &itens.LookupLinks(), dvGetLookupTables(&itens));
    EXPECT_FALSE(itens.FieldByName(QStringLiteral("DESC"))->Visible());
    EXPECT_TRUE(dialogos.Textos().isEmpty());
}

TEST_F(IndexSearchTest, ALookupTableWithoutIndexIsSearchedByItsFirstLookupField)
{
    TdvTable estados;
    Cria(estados, QStringLiteral("Estados"),
         {{QStringLiteral("SIGLA"), ftString, 2}, {QStringLiteral("NOME"), ftString, 20}}, {},
         {{QStringLiteral("RJ"), QStringLiteral("Rio de Janeiro")},
          {QStringLiteral("SP"), QStringLiteral("São Paulo")}});
    TdvTable mestre;
    Cria(mestre, QStringLiteral("Mestre"), {{QStringLiteral("UF"), ftString, 2}}, {}, {{QStringLiteral("sp")}});
    EXPECT_TRUE(dvPositionLookupTable(&estados, &mestre, {QStringLiteral("UF"), QStringLiteral("SIGLA")}));
    EXPECT_EQ(Texto(estados, "NOME"), QStringLiteral("São Paulo"));
    EXPECT_FALSE(dvPositionLookupTable(&estados, &mestre, {QStringLiteral("UF")}));   // half a link
}
