#include <gtest/gtest.h>

#include "components/data/datasets/TdvTable.h"
#include "components/data/datasets/dvEscapeFilter.h"
#include "platform/db/BancoDeTeste.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/ui/AtividadeRegistrada.h"
#include "platform/ui/DialogosRoteirizados.h"

namespace {

class TdvTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tabela.SetName(QStringLiteral("TbCodigos"));
        tabela.SetDatabaseName(PastaDados());
        tabela.SetTableName(QStringLiteral("CodRet.db"));
        tabela.SetTableType(ttParadox);
        tabela.CreateTable(
            {{QStringLiteral("ANO"), ftSmallint},
             {QStringLiteral("CODIGO"), ftString, 4},
             {QStringLiteral("DESCRICAO"), ftString, 40},
             {QStringLiteral("IN4"), ftBoolean},
             {QStringLiteral("LIMITE"), ftCurrency},
             {QStringLiteral("INICIO"), ftDate}},
            {{QString(), QStringLiteral("ANO;CODIGO"), TIndexOption::ixPrimary},
             {QStringLiteral("IDescricao"), QStringLiteral("DESCRICAO"), TIndexOption::ixCaseInsensitive}});
        tabela.Open();
        const struct {
            int ano;
            const char* codigo;
            const char* descricao;
            bool in4;
            const char* limite;
            const char* inicio;
        } linhas[] = {
            {2001, "0561", "Trabalho", false, "10,5", "01/01/2001"},
            {2002, "0561", "Trabalho", false, "10,5", "01/01/2002"},
            {2002, "0588", "Autonomo", false, "0", "01/01/2002"},
            {2002, "1708", "Servicos", true, "1000,0001", "15/03/2002"},
            {2003, "0561", "Trabalho", false, "", "01/01/2003"},
        };
        for (const auto& l : linhas) {
            tabela.Append();
            tabela.FieldByName(QStringLiteral("ANO"))->SetAsInteger(l.ano);
            tabela.FieldByName(QStringLiteral("CODIGO"))->SetAsString(QString::fromUtf8(l.codigo));
            tabela.FieldByName(QStringLiteral("DESCRICAO"))->SetAsString(QString::fromUtf8(l.descricao));
            tabela.FieldByName(QStringLiteral("IN4"))->SetAsBoolean(l.in4);
            tabela.FieldByName(QStringLiteral("LIMITE"))->SetAsString(QString::fromUtf8(l.limite));
            tabela.FieldByName(QStringLiteral("INICIO"))->SetAsString(QString::fromUtf8(l.inicio));
            tabela.Post();
        }
        tabela.First();
    }

    int Filtra(const QStringList& linhas)
    {
        tabela.dvFilter() = linhas;
        EXPECT_TRUE(tabela.RefreshDvFilter());
        return tabela.RecordCount();
    }

    DialogosRoteirizados dialogos;
    AtividadeRegistrada atividade;
    TdvTable tabela;
};

TEST_F(TdvTableTest, FilterLinesAreJoinedWithAndAndParentheses)
{
    EXPECT_EQ(TdvTable::JoinFilterLines({QStringLiteral("A = 1"), QString(), QStringLiteral("B = 2 \t ")}),
              QStringLiteral("A = 1 AND (B = 2)"));
    EXPECT_EQ(TdvTable::JoinFilterLines({QStringLiteral("X"), QStringLiteral("  Y"), QStringLiteral("Z")}),
              QStringLiteral("X AND (  Y) AND (Z)"));
    EXPECT_EQ(TdvTable::JoinFilterLines({QStringLiteral("  "), QStringLiteral("\t")}), QString());
}

TEST_F(TdvTableTest, FiltersSelectTheRowsOnTheDatabase)
{
    const struct {
        QStringList linhas;
        int esperado;
    } casos[] = {
        {{"ANO = 2002"}, 3},
        {{"ANO = 2002", "CODIGO = 0561"}, 1},
        {{"ANO >= 2002 AND CODIGO <> 0588"}, 3},
        {{"ANO = 2001 OR ANO = 2003"}, 2},
        {{"IN4 = False"}, 4},
        {{"IN4 = True"}, 1},
        {{"LIMITE >= 10,5"}, 3},
        {{"LIMITE = 1000,0001"}, 1},
        {{"INICIO = \"01/01/2002\""}, 2},
        {{"INICIO > \"01/01/2002\""}, 2},
        {{"DESCRICAO = Trabalho"}, 3},
        {{"DESCRICAO = trabalho"}, 0},   // the engine compares case and all
        {{"descricao = \"Trabalho\" AND (ano = 2002)"}, 1},
        {{"ANO = 2002 AND CODIGO ="}, 0},   // compares with the empty text
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.linhas.join(QLatin1Char('|')).toStdString());
        EXPECT_EQ(Filtra(c.linhas), c.esperado);
        int passos = 0;
        for (tabela.First(); !tabela.Eof(); tabela.Next())
            ++passos;
        EXPECT_EQ(passos, c.esperado);
    }
}

TEST_F(TdvTableTest, FilterAndRangeSelectTogether)
{
    tabela.SetRange({2002}, {2002});
    EXPECT_EQ(Filtra({QStringLiteral("CODIGO >= 0588")}), 2);
    tabela.CancelRange();
    EXPECT_EQ(tabela.RecordCount(), 2);
    tabela.dvFilter().clear();
    tabela.RefreshDvFilter();
    EXPECT_EQ(tabela.RecordCount(), 5);
}

TEST_F(TdvTableTest, AFilterThatDoesNotCompileRemovesThePreviousOne)
{
    EXPECT_EQ(Filtra({QStringLiteral("ANO = 2002")}), 3);
    tabela.dvFilter() = QStringList{QStringLiteral("ANO = dois mil")};
    EXPECT_FALSE(tabela.RefreshDvFilter());
    EXPECT_EQ(tabela.RecordCount(), 5);
    EXPECT_TRUE(dialogos.Mensagens().empty());

    tabela.SetdvFilter({QStringLiteral("SUMIDO = 1")});
    EXPECT_EQ(
        dialogos.Textos(),
        (QStringList{QStringLiteral("SUMIDO\rField not found in Table. "), QStringLiteral("Fail to set filter")}));
    EXPECT_EQ(tabela.RecordCount(), 5);
    EXPECT_EQ(Filtra({QStringLiteral("   "), QString()}), 5) << "blank lines remove the filter";
}

TEST_F(TdvTableTest, TheFilterIsInstalledWhenTheTableOpens)
{
    tabela.Close();
    tabela.dvFilter() = QStringList{QStringLiteral("ANO = 2003")};
    EXPECT_TRUE(tabela.RefreshDvFilter()) << "a closed table takes it later";
    tabela.Open();
    EXPECT_EQ(tabela.RecordCount(), 1);
    EXPECT_FALSE(tabela.IsSequenced());
    tabela.Close();
    tabela.Open();
    EXPECT_EQ(tabela.RecordCount(), 1) << "and again at every opening";
}

TEST_F(TdvTableTest, ThePlainFilterTextGoesThroughTheSameLanguage)
{
    tabela.SetFilter(QStringLiteral("CODIGO = 0561"));
    tabela.SetFiltered(true);
    EXPECT_EQ(tabela.RecordCount(), 3);
    tabela.SetFiltered(false);
    EXPECT_EQ(tabela.RecordCount(), 5);
}

TEST_F(TdvTableTest, TheRecordFilterEventSelectsRowByRow)
{
    tabela.SetOnFilter([](TDataSet* d, bool& aceita) { aceita = d->FieldByName(QStringLiteral("IN4"))->AsBoolean(); });
    EXPECT_EQ(tabela.RecordCount(), 1);
    EXPECT_FALSE(tabela.IsSequenced());
    EXPECT_EQ(atividade.Profundidade(), 0) << "the hour glass ends with the fetch";
    EXPECT_GE(atividade.VezesOcupado(), 1);
    tabela.SetOnFilterOptions(ofoShowHourGlass);
    EXPECT_EQ(tabela.RecordCount(), 5) << "without ofoEnabled the handler is not asked";
    tabela.SetOnFilterOptions(ofoEnabled);
    tabela.SetOnFilter(nullptr);
    EXPECT_EQ(tabela.RecordCount(), 5);
}

TEST_F(TdvTableTest, AHandlerThatReadsOtherRecordsSeesThemAll)
{
    int contagemInterna = -1;
    tabela.SetOnFilter([&](TDataSet* d, bool& aceita) {
        aceita = d->FieldByName(QStringLiteral("ANO"))->AsInteger() == 2002;
        if (contagemInterna < 0) {
            auto* t = static_cast<TdvTable*>(d);
            contagemInterna = 0;
            for (t->First(); !t->Eof(); t->Next())
                ++contagemInterna;
        }
    });
    tabela.First();
    EXPECT_EQ(contagemInterna, 5);
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("ANO"))->AsInteger(), 2002);
    int vistos = 0;
    for (tabela.First(); !tabela.Eof(); tabela.Next())
        ++vistos;
    EXPECT_EQ(vistos, 3);
}

int chamadasSonda = 0;
bool SondaEscNaSegunda()
{
    return ++chamadasSonda == 2;
}

TEST_F(TdvTableTest, EscCancelsALongFilterAtAHundredthRecord)
{
    tabela.Close();
    tabela.EmptyTable();
    tabela.Open();
    for (int i = 0; i < 500; ++i) {
        tabela.Append();
        tabela.FieldByName(QStringLiteral("ANO"))->SetAsInteger(2002);
        tabela.FieldByName(QStringLiteral("CODIGO"))->SetAsString(QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0')));
        tabela.Post();
    }
    chamadasSonda = 0;
    const TdvEscapeProbe anterior = dvInstallEscapeProbe(&SondaEscNaSegunda);
    int chamados = 0;
    int escapes = 0;
    tabela.OnFilterEscape = [&](TDataSet*) { ++escapes; };
    tabela.SetOnFilterOptions(ofoEnabled | ofoCancelOnEscape);
    tabela.SetOnFilter([&](TDataSet*, bool& aceita) {
        ++chamados;
        aceita = false;
    });
    dvInstallEscapeProbe(anterior);
    EXPECT_EQ(chamadasSonda, 2) << "looked at the 100th and the 200th record";
    EXPECT_EQ(chamados, 200);
    EXPECT_EQ(escapes, 1);
    EXPECT_FALSE(tabela.OnFilterOptions() & ofoEnabled);
    EXPECT_EQ(tabela.RecordCount(), 500) << "every record shows";
}

TEST_F(TdvTableTest, PackingAcceptsOnlyParadoxAndDBaseNames)
{
    TdvTable texto;
    texto.SetDatabaseName(PastaDados());
    texto.SetTableName(QStringLiteral("data.txt"));
    QString erro;
    EXPECT_FALSE(texto.PackTable(erro));
    EXPECT_EQ(erro, QStringLiteral("Invalid table type for packing."));
    EXPECT_FALSE(texto.Active());

    tabela.Last();
    tabela.Delete();
    EXPECT_TRUE(tabela.PackTable(erro)) << qPrintable(erro);
    EXPECT_TRUE(erro.isEmpty());
    EXPECT_TRUE(tabela.Active()) << "the table is open again";
    EXPECT_EQ(tabela.RecordCount(), 4);
    EXPECT_TRUE(tabela.IsParadoxTable());
}

TEST_F(TdvTableTest, LookupFindKeyChecksTheNumberOfValues)
{
    EXPECT_FALSE(tabela.LookupFindKey({2002, QStringLiteral("0588"), QStringLiteral("x")}));
    ASSERT_EQ(dialogos.Textos().size(), 1);
    EXPECT_EQ(dialogos.Textos().front(),
              QStringLiteral("Table TbCodigos: FindKey has too many lookup values for index "));
    EXPECT_TRUE(tabela.LookupFindKey({2002, QStringLiteral("1708")}));
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("DESCRICAO"))->AsString(), QStringLiteral("Servicos"));
    EXPECT_TRUE(tabela.LookupFindKey({QStringLiteral("2002"), QStringLiteral("1708")})) << "already there";
    EXPECT_FALSE(tabela.LookupFindKey({2004}));
}

TEST_F(TdvTableTest, IndexesAreChosenByTheirFields)
{
    EXPECT_EQ(tabela.GetIndexNameForFields(QStringLiteral("descricao")), QStringLiteral("IDescricao"));
    EXPECT_EQ(tabela.GetIndexNameForFields(QStringLiteral("ANO")), QString()) << "the primary index begins with it";
    EXPECT_EQ(tabela.GetIndexNameForFields(QStringLiteral("CODIGO")), QStringLiteral("?"));
    EXPECT_TRUE(tabela.SelectIndexForSelected({QStringLiteral("DESCRICAO\t40\tDescrição")}));
    EXPECT_EQ(tabela.IndexName(), QStringLiteral("IDescricao"));
    EXPECT_FALSE(tabela.SelectIndexForFields(QStringLiteral("CODIGO")));
    EXPECT_EQ(tabela.GetIndexFields(QString()), QStringLiteral("ANO;CODIGO"));
    EXPECT_EQ(tabela.GetIndexFields(QStringLiteral("idescricao")), QStringLiteral("DESCRICAO"));
}

TEST_F(TdvTableTest, QueryTextAndTableNameReplaceEachOther)
{
    TdvTable consulta;
    consulta.SetDatabaseName(PastaDados());
    consulta.SetTableName(QStringLiteral("CodRet.db"));
    consulta.SetQuery({QStringLiteral("SELECT CODIGO FROM CodRet"), QStringLiteral("WHERE ANO = 2002")});
    EXPECT_TRUE(consulta.TableName().isEmpty());
    consulta.SetTableName(QString());
    EXPECT_EQ(consulta.Query().size(), 2) << "an empty name keeps the query";
    consulta.Open();
    EXPECT_EQ(consulta.QueryLanguage(), QStringLiteral("SQL"));
    EXPECT_EQ(consulta.RecordCount(), 3);
    EXPECT_FALSE(consulta.CanModify());
    consulta.SetQuery({QStringLiteral("Query"), QStringLiteral("CodRet.db | ANO |")});
    EXPECT_FALSE(consulta.Active());
    EXPECT_THROW(consulta.Open(), EDatabaseError);
    EXPECT_EQ(consulta.QueryLanguage(), QStringLiteral("QBE"));
    consulta.SetTableName(QStringLiteral("CodRet.db"));
    EXPECT_TRUE(consulta.Query().isEmpty());
}

// A table whose rows come from an SQL or query-by-example text takes its filter lines as any
// other: when it opens and when they are written while it is open; only lines that do not
// compile give the message.
TEST_F(TdvTableTest, AQueryTableIsFilteredByItsLines)
{
    const QStringList textos[] = {
        {QStringLiteral("SELECT ANO, CODIGO, LIMITE FROM CodRet"), QStringLiteral("WHERE ANO >= 2002")},
        {QStringLiteral("SELECT ANO, CODIGO, LIMITE FROM CodRet WHERE ANO >= 2002; -- the years kept")},
        {QStringLiteral("Query"), QString(), QStringLiteral("CodRet.db | ANO | CODIGO | LIMITE |"),
         QStringLiteral("         | Check >= 2002 | Check | Check |"), QStringLiteral("EndQuery")},
    };
    for (const QStringList& texto : textos) {
        SCOPED_TRACE(texto.join(QLatin1Char('|')).toStdString());
        TdvTable consulta;
        consulta.SetDatabaseName(PastaDados());
        consulta.SetQuery(texto);
        consulta.dvFilter() = QStringList{QStringLiteral("CODIGO = 0561")};
        consulta.Open();
        EXPECT_EQ(consulta.RecordCount(), 2) << "the lines given before it opened";

        consulta.SetdvFilter({QStringLiteral("ANO = 2002"), QStringLiteral("LIMITE > 1")});
        EXPECT_EQ(consulta.RecordCount(), 2);
        QStringList vistos;   // in the answer's order
        for (consulta.First(); !consulta.Eof(); consulta.Next()) {
            vistos << consulta.FieldByName(QStringLiteral("ANO"))->AsString() + QLatin1Char('/')
                    + consulta.FieldByName(QStringLiteral("CODIGO"))->AsString();
        }
        EXPECT_EQ(vistos, (QStringList{QStringLiteral("2002/0561"), QStringLiteral("2002/1708")}));
        EXPECT_TRUE(dialogos.Mensagens().empty()) << dialogos.Textos().join(QLatin1Char('|')).toStdString();

        consulta.SetdvFilter({QStringLiteral("ANO = dois mil")});
        EXPECT_EQ(dialogos.Textos(), QStringList{QStringLiteral("Fail to set filter")});
        EXPECT_EQ(consulta.RecordCount(), 4) << "no filter is left";
        consulta.dvFilter().clear();
        EXPECT_TRUE(consulta.RefreshDvFilter());
        EXPECT_EQ(consulta.RecordCount(), 4);
        dialogos.Limpa();
    }
}

// A filter written on an open table keeps the record it stands on when that one passes, else
// moves to the next that passes; a bookmark names the same record with the filter and without
// it. The same for a table whose rows come from a text, whatever order the text gives them.
TEST_F(TdvTableTest, AFilterKeepsTheCurrentRecordAndTheBookmarks)
{
    const struct {
        const char* nome;
        QStringList query;
        const char* proximoQuePassa;   // after 2002/0588, of the rows of CODIGO 0561
    } casos[] = {
        {"table", {}, "2003/0561"},
        {"sql", {QStringLiteral("SELECT ANO, CODIGO FROM CodRet ORDER BY CODIGO DESC, ANO")}, "2001/0561"},
        {"sql without order", {QStringLiteral("SELECT ANO, CODIGO FROM CodRet WHERE DESCRICAO <> 'x'")}, "2003/0561"},
        {"qbe",
         {QStringLiteral("Query"), QString(), QStringLiteral("CodRet.db | ANO | CODIGO |"),
          QStringLiteral("         | Check | Check |"), QStringLiteral("EndQuery")},
         "2003/0561"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        TdvTable consulta;
        consulta.SetDatabaseName(PastaDados());
        if (c.query.isEmpty())
            consulta.SetTableName(QStringLiteral("CodRet.db"));
        else
            consulta.SetQuery(c.query);
        consulta.Open();
        const auto atual = [&] {
            if (consulta.Bof() && consulta.Eof())
                return std::string("none");
            return (consulta.FieldByName(QStringLiteral("ANO"))->AsString() + QLatin1Char('/')
                    + consulta.FieldByName(QStringLiteral("CODIGO"))->AsString())
                .toStdString();
        };
        const auto vaiPara = [&](int ano, const char* codigo) {
            ASSERT_TRUE(consulta.Locate(QStringLiteral("ANO;CODIGO"), {ano, QString::fromUtf8(codigo)}, {}));
        };
        vaiPara(2002, "1708");
        const TBookmark marca1708 = consulta.GetBookmark();
        vaiPara(2001, "0561");
        const TBookmark marca2001 = consulta.GetBookmark();
        vaiPara(2002, "0561");

        consulta.SetdvFilter({QStringLiteral("CODIGO = 0561")});
        ASSERT_EQ(consulta.RecordCount(), 3);
        EXPECT_EQ(atual(), "2002/0561") << "the record passes: it stays";
        EXPECT_FALSE(consulta.BookmarkValid(marca1708)) << "its record does not pass";
        consulta.GotoBookmark(marca2001);
        EXPECT_EQ(atual(), "2001/0561");

        consulta.SetdvFilter({});
        vaiPara(2002, "0588");
        consulta.SetdvFilter({QStringLiteral("CODIGO = 0561")});
        EXPECT_EQ(atual(), c.proximoQuePassa) << "the next that passes";

        consulta.SetdvFilter({});
        ASSERT_EQ(consulta.RecordCount(), 5);
        EXPECT_EQ(atual(), c.proximoQuePassa) << "no filter: the record stays";
        consulta.GotoBookmark(marca1708);
        EXPECT_EQ(atual(), "2002/1708");
        consulta.GotoBookmark(marca2001);
        EXPECT_EQ(atual(), "2001/0561");
    }
}

TEST_F(TdvTableTest, RegisteredRecordsLearnThatTheTableIsGone)
{
    auto vivo = std::make_shared<bool>(false);
    auto liberado = std::make_shared<bool>(false);
    {
        TdvTable temporaria;
        temporaria.RegisterRecord(vivo);
        temporaria.RegisterRecord(liberado);
        liberado.reset();   // freed first: the table leaves it alone
    }
    EXPECT_TRUE(*vivo);
}

}   // namespace

namespace {

TEST_F(TdvTableTest, TheTextFilterAndTheRecordFilterWorkTogether)
{
    tabela.dvFilter() = QStringList{QStringLiteral("ANO = 2002")};
    tabela.SetOnFilter([](TDataSet* d, bool& aceita) { aceita = !d->FieldByName(QStringLiteral("IN4"))->AsBoolean(); });
    EXPECT_TRUE(tabela.RefreshDvFilter());
    EXPECT_EQ(tabela.RecordCount(), 2);
    QStringList codigos;
    for (tabela.First(); !tabela.Eof(); tabela.Next())
        codigos << tabela.FieldByName(QStringLiteral("CODIGO"))->AsString();
    EXPECT_EQ(codigos, (QStringList{QStringLiteral("0561"), QStringLiteral("0588")}));
    tabela.SetRecNo(2);
    EXPECT_EQ(tabela.RecNo(), 2);
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("CODIGO"))->AsString(), QStringLiteral("0588"));
    tabela.SetOnFilterOptions(ofoShowHourGlass);
    EXPECT_EQ(tabela.RecordCount(), 3) << "the rows the handler rejected come back";
}

TEST_F(TdvTableTest, ASearchOnTheFieldValueUsesTheLocateEngine)
{
    EXPECT_TRUE(tabela.FindFieldValue(QStringLiteral("DESCRICAO"), QStringLiteral("servicos"), 0, false));
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("CODIGO"))->AsString(), QStringLiteral("1708"));
    EXPECT_FALSE(tabela.FindFieldValue(QStringLiteral("DESCRICAO"), QStringLiteral("servicos"), 0, true));
    EXPECT_EQ(tabela.NestedOperations(), 0);
}

TEST_F(TdvTableTest, NarrowSearchTablesDropTheirRangeBeforeAKeyLookup)
{
    tabela.NarrowSearch = true;
    tabela.SetRange({2001}, {2001});
    EXPECT_EQ(tabela.RecordCount(), 1);
    EXPECT_TRUE(tabela.LookupFindKey({2003, QStringLiteral("0561")}));
    EXPECT_EQ(tabela.RecordCount(), 5);
}

TEST_F(TdvTableTest, PicturesAreCheckedBeforePosting)
{
    int invalidos = 0;
    tabela.SetPictureMasks({QStringLiteral("CODIGO\t####")});
    tabela.OnInvalidValue = [&](TDataSet*, TField* campo) {
        ++invalidos;
        EXPECT_EQ(campo->FieldName(), QStringLiteral("CODIGO"));
    };
    tabela.Edit();
    tabela.FieldByName(QStringLiteral("CODIGO"))->SetAsString(QStringLiteral("05A1"));
    EXPECT_THROW(tabela.Post(), EDatabaseError);
    EXPECT_EQ(invalidos, 1);
    EXPECT_EQ(tabela.State(), dsEdit);
    tabela.ValidateWithMask = false;
    tabela.Post();
    EXPECT_EQ(tabela.State(), dsBrowse);
}

}   // namespace
