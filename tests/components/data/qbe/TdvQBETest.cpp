#include <gtest/gtest.h>
#include <sqlite3.h>

#include "components/data/datasets/TdvQuery.h"
#include "components/data/datasets/TdvTable.h"
#include "components/data/qbe/TdvQBE.h"
#include "platform/db/BancoDeTeste.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TConfiguracaoMotor.h"
#include "platform/db/sqlite/TEsquemaTabela.h"
#include "platform/db/sqlite/TTransacao.h"
#include "platform/files/TIniFile.h"
#include "platform/ui/DialogosRoteirizados.h"

namespace {

using TLinhas = std::vector<QStringList>;

// Every record of an open dataset, field by field as text, headed by the field names.
TLinhas Linhas(TDataSet& d)
{
    TLinhas linhas;
    QStringList nomes;
    for (int i = 0; i < d.FieldCount(); ++i)
        nomes << d.Fields(i)->FieldName();
    linhas.push_back(nomes);
    for (d.First(); !d.Eof(); d.Next()) {
        QStringList l;
        for (int i = 0; i < d.FieldCount(); ++i)
            l << d.Fields(i)->AsString();
        linhas.push_back(l);
    }
    return linhas;
}

class TdvQBETest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TEsquemaTabela::Cria(*banco, QStringLiteral("Benef.db"),
                             {{QStringLiteral("NOME"), ftString, 40},
                              {QStringLiteral("UF"), ftString, 2},
                              {QStringLiteral("PRUV_DK"), ftString, 5},
                              {QStringLiteral("VALOR"), ftCurrency},
                              {QStringLiteral("QTD"), ftInteger}},
                             {});
        TEsquemaTabela::Cria(*banco, QStringLiteral("Pruv.db"),
                             {{QStringLiteral("PRUV_DK"), ftString, 5}, {QStringLiteral("ANO"), ftString, 4}}, {});
        Preenche();
        qbe.SetName(QStringLiteral("QbeBenef"));
        qbe.SetDatabaseName(PastaDados());
    }

    // The rows of the fixture, and nothing else.
    void Preenche()
    {
        TTransacao transacao(*banco);
        banco->Escreve(QStringLiteral("DELETE FROM Benef"));
        banco->Escreve(QStringLiteral("DELETE FROM Pruv"));
        banco->Escreve(QStringLiteral(
            "INSERT INTO Benef VALUES ('Ana Lima','SP','00001',1250000,3), ('Bruno','RJ','00001',0,NULL),"
            " ('Carla Souza','SP','00002',99990000,7), ('Ana Lima','SP','00002',1250000,3),"
            " ('Dario','MG','00003',5000,0), ('','SP','00002',NULL,12)"));
        banco->Escreve(QStringLiteral("INSERT INTO Pruv VALUES ('00001','2002'), ('00002','2003'), ('00003','2002')"));
        transacao.Confirma();
    }

    // Both tables whole, in one order.
    TLinhas Tabelas()
    {
        TLinhas linhas = Sql(QStringLiteral("SELECT * FROM Benef ORDER BY NOME, UF, PRUV_DK, VALOR, QTD"));
        const TLinhas pruv = Sql(QStringLiteral("SELECT * FROM Pruv ORDER BY PRUV_DK, ANO"));
        linhas.insert(linhas.end(), pruv.begin(), pruv.end());
        return linhas;
    }

    TLinhas Qbe(const QStringList& texto)
    {
        qbe.Close();
        qbe.SetQBE(texto);
        qbe.Open();
        return Linhas(qbe);
    }

    TLinhas Sql(const QString& sql)
    {
        TdvQuery consulta;
        consulta.SetDatabaseName(PastaDados());
        consulta.SetSQL({sql});
        consulta.Open();
        return Linhas(consulta);
    }

    // The QBE of one table, Benef, with the cells under NOME, UF, VALOR and QTD.
    static QStringList Benef(const QStringList& linhas)
    {
        QStringList texto{QStringLiteral("Query"), QString(), QStringLiteral("Benef.db | NOME | UF | VALOR | QTD |")};
        for (const QString& l : linhas)
            texto << QStringLiteral("         | ") + l;
        texto << QStringLiteral("EndQuery");
        return texto;
    }

    std::shared_ptr<TDatabase> banco = Banco();
    DialogosRoteirizados dialogos;
    TdvQBE qbe;
};

TEST_F(TdvQBETest, ChecksGiveTheirFieldsInOrder)
{
    const struct {
        QStringList qbe;
        const char* sql;
    } casos[] = {
        {Benef({QStringLiteral("Check | Check | |")}), "SELECT DISTINCT NOME, UF FROM Benef ORDER BY NOME, UF"},
        {Benef({QStringLiteral("CheckDescending | check | |")}),
         "SELECT DISTINCT NOME, UF FROM Benef ORDER BY NOME DESC, UF"},
        {Benef({QStringLiteral("CheckPlus | | |")}), "SELECT NOME FROM Benef"},
        {Benef({QStringLiteral("| CheckDescending | | CheckPlus")}), "SELECT UF, QTD FROM Benef ORDER BY UF DESC"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.sql);
        EXPECT_EQ(Qbe(c.qbe), Sql(QString::fromLatin1(c.sql)));
    }
    EXPECT_FALSE(qbe.CanModify());
}

TEST_F(TdvQBETest, SelectionConditionsGiveTheRowsOfTheirSql)
{
    const struct {
        const char* linha;
        const char* onde;
    } casos[] = {
        {"Check | SP | |", "UF = 'SP'"},
        {"Check | \"SP\" | |", "UF = 'SP'"},
        {"Check Ana Lima | | |", "NOME = 'Ana Lima'"},
        {"Check \"Ana, Lima\" or Dario | | |", "NOME IN ('Ana, Lima', 'Dario')"},
        {"Check | <>SP | |", "UF <> 'SP'"},
        {"Check | not SP | |", "UF <> 'SP'"},
        {"Check | | >= 125 | ", "VALOR >= 1250000"},
        {"Check | | >0.5, <= 9999.0000 |", "VALOR > 5000 AND VALOR <= 99990000"},
        {"Check | | | <3 or >10", "QTD < 3 OR QTD > 10 OR QTD IS NULL"},
        {"Check | | | = 0", "COALESCE(QTD, 0) = 0"},
        {"Check | | blank |", "VALOR IS NULL"},
        {"Check not blank | | |", "NOME <> ''"},
        {"Check a.. | | |", "NOME LIKE 'a%'"},
        {"Check like \"..lim@\" | | |", "NOME LIKE '%lim_'"},
        {"Check not ..o | | |", "NOME NOT LIKE '%o'"},
        {"Check ..% | | |", "0"},   // "%" is no wildcard here
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.linha);
        EXPECT_EQ(
            Qbe(Benef({QString::fromLatin1(c.linha)})),
            Sql(QStringLiteral("SELECT DISTINCT NOME FROM Benef WHERE %1 ORDER BY NOME").arg(QLatin1String(c.onde))));
    }
}

TEST_F(TdvQBETest, BlankNumbersCountAsZeroOnlyWhenAsked)
{
    const QStringList texto = Benef({QStringLiteral("Check | | < 1 | <5")});
    EXPECT_EQ(Qbe(texto),
              Sql(QStringLiteral("SELECT DISTINCT NOME FROM Benef WHERE COALESCE(VALOR, 0) < 10000 AND "
                                 "COALESCE(QTD, 0) < 5 ORDER BY NOME")));
    EXPECT_EQ(Qbe(texto).size(), 3u);   // Bruno (no quantity) and Dario, below the heading
    qbe.BlankAsZero = false;
    EXPECT_EQ(Qbe(texto),
              Sql(QStringLiteral("SELECT DISTINCT NOME FROM Benef WHERE VALOR < 10000 AND QTD < 5 ORDER BY NOME")));
}

TEST_F(TdvQBETest, ExampleElementsJoinTablesAndOrRowsAddAlternatives)
{
    const QStringList juntas{
        QStringLiteral("Benef.db | NOME  | PRUV_DK |"),
        QStringLiteral("         | Check | _d      |"),
        QString(),
        QStringLiteral("Pruv.db | PRUV_DK | ANO        |"),
        QStringLiteral("        | _D      | Check 2002 |"),
    };
    EXPECT_EQ(Qbe(juntas),
              Sql(QStringLiteral("SELECT DISTINCT b.NOME, p.ANO FROM Benef b JOIN Pruv p ON "
                                 "p.PRUV_DK = b.PRUV_DK WHERE p.ANO = '2002' ORDER BY 1, 2")));

    // One row per alternative; the one-row table holds in both.
    const QStringList ou{
        QStringLiteral("Benef.db | NOME  | UF | PRUV_DK |"), QStringLiteral("         | Check | SP | _d      |"),
        QStringLiteral("         | Check | MG | _d      |"), QString(),
        QStringLiteral("Pruv.db | PRUV_DK | ANO  |"),        QStringLiteral("        | _d      | 2002 |"),
    };
    EXPECT_EQ(Qbe(ou),
              Sql(QStringLiteral("SELECT DISTINCT b.NOME FROM Benef b JOIN Pruv p ON p.PRUV_DK = b.PRUV_DK "
                                 "WHERE p.ANO = '2002' AND b.UF IN ('SP', 'MG') ORDER BY 1")));

    // An element compared in another field: the values above Ana Lima's.
    const QStringList comparado{
        QStringLiteral("Benef.db | NOME     | VALOR |"),
        QStringLiteral("         | Ana Lima | _v    |"),
        QStringLiteral("         | Check    | > _v  |"),
    };
    EXPECT_THROW(Qbe(comparado), EDBEngineError)
        << "rows of one table are alternatives: they must check the same fields";
    const QStringList doisBlocos{
        QStringLiteral("Benef.db | NOME     | VALOR |"), QStringLiteral("         | Ana Lima | _v    |"), QString(),
        QStringLiteral("Benef.db | NOME  | VALOR |"),    QStringLiteral("         | Check | > _v  |"),
    };
    EXPECT_EQ(Qbe(doisBlocos),
              Sql(QStringLiteral("SELECT DISTINCT b.NOME FROM Benef a, Benef b WHERE a.NOME = "
                                 "'Ana Lima' AND COALESCE(b.VALOR, 0) > COALESCE(a.VALOR, 0) ORDER BY 1")));
}

TEST_F(TdvQBETest, TextsThatCannotRunCallOnErrorAndRaise)
{
    const char* const textos[] = {
        "Nada.db | NOME |\n| Check |",                           // no such table
        "Benef.db | SOBRENOME |\n| Check |",                     // no such field
        "Benef.db | NOME | QTD |\n| Check | >muitos |",          // not a number
        "Benef.db | NOME | VALOR |\n| Check | 1.23456 |",        // money past four decimals
        "Benef.db | NOME |\n| Check |\n| |",                     // the second row checks nothing
        "Benef.db | NOME |\nDelete | Check |",                   // a row that changes data checks nothing
        "Benef.db | NOME |\nInsert | >Ana |",                    // an inserted row gives values
        "Benef.db | NOME |\nInsert | _x |",                      // from elements that another table gives
        "Benef.db | NOME |\nMove | Ana |",                       // no such word
        "Benef.db | NOME |\nInsert | Ana |\nDelete | Bruno |",   // one word per table
        "Benef.db | UF |\nDelete | SP |\n\nPruv.db | ANO |\n| 2002, changeto 2004 |",   // one table changed
        "Benef.db | UF |\n| changeto S.. |",                                            // a new value is no pattern
        "Benef.db | NOME |\n| Dario |",                                                 // no answer asked
        "Benef.db | NOME | VALOR |\n| Check | like 1.. |",                              // a pattern on money
        "Benef.db | NOME |\n| Check \"Ana |",                                           // unclosed quotes
        "Benef.db | NOME | UF |\n| Check | > _x |",                                     // element never given
        "Select * from Benef",
    };
    std::vector<int> codigos;
    qbe.OnError = [&](TDataSet* d, int codigo) {
        EXPECT_EQ(d, &qbe);
        codigos.push_back(codigo);
    };
    for (const char* t : textos) {
        SCOPED_TRACE(t);
        qbe.SetQBE(QString::fromLatin1(t).split(QLatin1Char('\n')));
        EXPECT_THROW(qbe.Open(), EDBEngineError);
        EXPECT_FALSE(qbe.Active());
    }
    EXPECT_EQ(codigos, std::vector<int>(std::size(textos), SQLITE_ERROR));
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

TEST_F(TdvQBETest, TheTextRunsAgainWhenChangedOnAnOpenDataset)
{
    qbe.SetQBE(Benef({QStringLiteral("Check | SP | |")}));
    EXPECT_FALSE(qbe.Active()) << "setting the text does not open it";
    qbe.Open();
    EXPECT_EQ(qbe.RecordCount(), 3);
    qbe.SetQBE(Benef({QStringLiteral("Check | RJ | |")}));
    EXPECT_TRUE(qbe.Active());
    EXPECT_EQ(qbe.RecordCount(), 1);
    EXPECT_EQ(qbe.Fields(0)->AsString(), QStringLiteral("Bruno"));
}

TEST_F(TdvQBETest, TildeVariablesAreReplacedAndTheUnknownOnesBlanked)
{
    const struct {
        const char* linha;
        const char* resultado;
    } casos[] = {
        {"| Check | ~UF |", "| Check | SP |"},
        {"| ~uf ~Uf |", "| SP SP |"},
        {"| ~ano_base# | ~ |", "|   | ~ |"},
        {"| ~ufx |", "| SPx |"},   // the name is found at the start of a longer one
    };
    for (const auto& c : casos)
        EXPECT_EQ(
            TdvQBE::ReplaceVariables({QString::fromLatin1(c.linha)}, {QStringLiteral("uf")}, {QStringLiteral("SP")}),
            QStringList{QString::fromLatin1(c.resultado)});
    // The last variable first: "~ufx" goes before "~uf" can take its start.
    EXPECT_EQ(TdvQBE::ReplaceVariables({QStringLiteral("~ufx ~uf")}, {QStringLiteral("uf"), QStringLiteral("ufx")},
                                       {QStringLiteral("SP"), QStringLiteral("RJ")}),
              QStringList{QStringLiteral("RJ SP")});
    // The line keeps 255 characters past a replacement.
    const QString longa = QStringLiteral("~uf") + QString(300, QLatin1Char('x'));
    EXPECT_EQ(TdvQBE::ReplaceVariables({longa}, {QStringLiteral("uf")}, {QStringLiteral("SP")}).front().size(), 257);

    // The dataset holds no variables: each one reads as a blank.
    EXPECT_EQ(Qbe(Benef({QStringLiteral("Check | ~estado | |")})),
              Sql(QStringLiteral("SELECT DISTINCT NOME FROM Benef ORDER BY 1")));
}

TEST_F(TdvQBETest, TheAnswerGoesToTheTableItsNameGives)
{
    const QString outra = PastaDados() + QStringLiteral("/outra");
    QDir().mkpath(outra);
    TIniFile(TConfiguracaoMotor::Arquivo())
        .WriteString(QStringLiteral("Databases\\EXTRA\\db info"), QStringLiteral("PATH"), outra + QLatin1Char('/'));
    const QStringList texto = Benef({QStringLiteral("Check | SP | CheckPlus |")});
    const QString esperado = QStringLiteral("SELECT NOME, VALOR FROM Benef WHERE UF = 'SP' ORDER BY NOME");

    qbe.AnswerTable = QStringLiteral(":extra:Resposta.db");
    EXPECT_EQ(Qbe(texto), Sql(esperado));
    TdvQuery copia;
    copia.SetDatabaseName(outra);
    copia.SetSQL({QStringLiteral("SELECT * FROM Resposta")});
    copia.Open();
    EXPECT_EQ(Linhas(copia), Sql(esperado));
    EXPECT_EQ(copia.FieldByName(QStringLiteral("VALOR"))->DataType(), ftCurrency);
    copia.Close();

    // The same name again replaces the table.
    qbe.AnswerTable = QStringLiteral("Resposta.db");
    Qbe(Benef({QStringLiteral("Check | RJ | |")}));
    Qbe(texto);
    EXPECT_EQ(Sql(QStringLiteral("SELECT * FROM Resposta")), Sql(esperado));
    EXPECT_TRUE(dialogos.Mensagens().empty());

    qbe.AnswerTable = QStringLiteral(":SEMCAMINHO:Resposta.db");
    EXPECT_EQ(Qbe(texto), Sql(esperado)) << "the answer shows all the same";
    qbe.AnswerTable = PastaDados() + QStringLiteral("/nao/existe/R.db");
    Qbe(texto);
    EXPECT_EQ(dialogos.Textos(),
              (QStringList{QStringLiteral("Invalid Alias in QBE"),
                           QStringLiteral("Unable to create answer table ") + qbe.AnswerTable}));
}

TEST_F(TdvQBETest, ALockedDatabaseIsTriedAgainWhileTheUserAgrees)
{
    sqlite3* outro = nullptr;
    ASSERT_EQ(sqlite3_open(qPrintable(banco->Arquivo()), &outro), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(outro, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_busy_timeout(banco->Conexao(), 1);
    std::vector<int> codigos;
    qbe.OnError = [&](TDataSet*, int codigo) {
        codigos.push_back(codigo & 0xff);
        if (codigos.size() == 2)
            sqlite3_exec(outro, "COMMIT", nullptr, nullptr, nullptr);
    };
    dialogos.Responde(Resposta::Repete);
    dialogos.Responde(Resposta::Repete);
    qbe.SetQBE(Benef({QStringLiteral("Check | RJ | |")}));
    qbe.Open();
    EXPECT_TRUE(qbe.Active());
    EXPECT_EQ(qbe.RecordCount(), 1);
    EXPECT_EQ(codigos, (std::vector<int>{SQLITE_BUSY, SQLITE_BUSY}));
    EXPECT_EQ(dialogos.Mensagens().size(), 2u);

    // Declined: no answer, no error.
    qbe.Close();
    ASSERT_EQ(sqlite3_exec(outro, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    dialogos.Responde(Resposta::Cancela);
    EXPECT_NO_THROW(qbe.Open());
    EXPECT_FALSE(qbe.Active());
    EXPECT_TRUE(qbe.NoAnswer());
    sqlite3_exec(outro, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(outro);
    sqlite3_busy_timeout(banco->Conexao(), 5000);
    qbe.Open();
    EXPECT_TRUE(qbe.Active());
    EXPECT_FALSE(qbe.NoAnswer());
}

// A table whose Query text is a query-by-example runs it through the same translator.
TEST_F(TdvQBETest, ATableWithAQueryByExampleTextShowsTheRowsOfTheQbeDataset)
{
    const QStringList textos[] = {
        Benef({QStringLiteral("Check | SP | CheckDescending |")}),
        Benef({QStringLiteral("Check | | < 1 | <5")}),   // blanks count as zero in both
        {QStringLiteral("query"), QString(), QStringLiteral("Benef.db | NOME  | PRUV_DK |"),
         QStringLiteral("         | Check | _d      |"), QString(), QStringLiteral("Pruv.db | PRUV_DK | ANO |"),
         QStringLiteral("        | _d      | Check 2002 |")},
    };
    for (const QStringList& texto : textos) {
        SCOPED_TRACE(texto.join(QLatin1Char('/')).toStdString());
        TdvTable tabela;
        tabela.SetDatabaseName(PastaDados());
        tabela.SetQuery(texto);
        tabela.Open();
        EXPECT_EQ(tabela.QueryLanguage(), QStringLiteral("QBE"));
        EXPECT_FALSE(tabela.CanModify());
        const TLinhas pelaTabela = Linhas(tabela);
        EXPECT_EQ(pelaTabela, Qbe(texto));
        EXPECT_GT(pelaTabela.size(), 1u);
    }

    // A table must have rows to show: a text that changes data is refused before it runs.
    TdvTable tabela;
    tabela.SetDatabaseName(PastaDados());
    tabela.SetQuery({QStringLiteral("Query"), QStringLiteral("Benef.db | UF |"), QStringLiteral("Delete | SP |")});
    const TLinhas antes = Tabelas();
    EXPECT_THROW(tabela.Open(), EDatabaseError);
    EXPECT_FALSE(tabela.Active());
    EXPECT_EQ(Tabelas(), antes);
}

TEST_F(TdvQBETest, RowsThatChangeDataDoWhatTheirSqlDoes)
{
    const struct {
        const char* qbe;
        const char* sql;
    } casos[] = {
        {"Benef.db | NOME | UF | VALOR | QTD |\nInsert | Eva Reis | PR | 12.5 | 2 |",
         "INSERT INTO Benef (NOME, UF, VALOR, QTD) VALUES ('Eva Reis', 'PR', 125000, 2)"},
        {"Benef.db | NOME | UF |\ninsert | Eva | PR |\nInsert | \"Rui, Reis\" | |",
         "INSERT INTO Benef (NOME, UF) VALUES ('Eva', 'PR'), ('Rui, Reis', '')"},
        {"Pruv.db | PRUV_DK | ANO |\n| _d | 2002 |\n\nBenef.db | NOME | PRUV_DK |\nInsert | Novo | _d |",
         "INSERT INTO Benef (NOME, PRUV_DK) SELECT 'Novo', PRUV_DK FROM Pruv WHERE ANO = '2002'"},
        {"Benef.db | NOME | UF |\nDelete | | SP |", "DELETE FROM Benef WHERE UF = 'SP'"},
        {"Benef.db | NOME | UF |\nDelete | Dario | |\nDELETE | | RJ |",
         "DELETE FROM Benef WHERE NOME = 'Dario' OR UF = 'RJ'"},
        {"Benef.db | QTD |\nDelete | < 1 |", "DELETE FROM Benef WHERE COALESCE(QTD, 0) < 1"},
        {"Benef.db | PRUV_DK |\nDelete | _d |\n\nPruv.db | PRUV_DK | ANO |\n| _d | 2003 |",
         "DELETE FROM Benef WHERE PRUV_DK IN (SELECT PRUV_DK FROM Pruv WHERE ANO = '2003')"},
        {"Benef.db | UF | QTD |\n| SP, changeto MG | |", "UPDATE Benef SET UF = 'MG' WHERE UF = 'SP'"},
        {"Benef.db | UF | QTD |\n| changeto PE | <1, changeto 9 |",
         "UPDATE Benef SET UF = 'PE', QTD = 9 WHERE COALESCE(QTD, 0) < 1"},
        {"Benef.db | NOME | VALOR |\n| Ana Lima | changeto 0.01 |\n| Dario changeto Dario Reis | |",
         "UPDATE Benef SET VALOR = 100 WHERE NOME = 'Ana Lima'; UPDATE Benef SET NOME = 'Dario Reis' WHERE NOME = "
         "'Dario'"},
        {"Benef.db | NOME | PRUV_DK |\n| changeto _a | _d |\n\nPruv.db | PRUV_DK | ANO |\n| _d | _a, 2002 |",
         "UPDATE Benef SET NOME = (SELECT ANO FROM Pruv WHERE Pruv.PRUV_DK = Benef.PRUV_DK)"
         " WHERE PRUV_DK IN (SELECT PRUV_DK FROM Pruv WHERE ANO = '2002')"},
        // What a row writes is cut to the field's width, as the dataset cuts it.
        {"Benef.db | NOME | UF |\nInsert | Eva | Parana |", "INSERT INTO Benef (NOME, UF) VALUES ('Eva', 'Pa')"},
        {"Benef.db | UF |\n| SP, changeto Ana |", "UPDATE Benef SET UF = 'An' WHERE UF = 'SP'"},
        {"Pruv.db | PRUV_DK | ANO |\n| _d | 2002 |\n\nBenef.db | NOME | UF |\nInsert | Novo | _d |",
         "INSERT INTO Benef (NOME, UF) SELECT 'Novo', '00' FROM Pruv WHERE ANO = '2002'"},
        {"Pruv.db | PRUV_DK | ANO |\n| _d | changeto _n |\n\nBenef.db | NOME | PRUV_DK | UF |\n| _n | _d | MG |",
         "UPDATE Pruv SET ANO = 'Dari' WHERE PRUV_DK = '00003'"},
    };
    const TLinhas original = Tabelas();
    for (const auto& c : casos) {
        SCOPED_TRACE(c.qbe);
        Preenche();
        qbe.Close();
        qbe.SetQBE(QString::fromUtf8(c.qbe).split(QLatin1Char('\n')));
        qbe.Open();
        EXPECT_FALSE(qbe.Active());
        EXPECT_TRUE(qbe.NoAnswer());
        const TLinhas pelaQbe = Tabelas();
        Preenche();
        for (const QString& sql : QString::fromUtf8(c.sql).split(QStringLiteral("; ")))
            banco->Escreve(sql);
        EXPECT_EQ(pelaQbe, Tabelas());
        EXPECT_NE(pelaQbe, original);
    }
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

TEST_F(TdvQBETest, RowsThatChangeDataChangeAllOrNothing)
{
    const TLinhas antes = Tabelas();
    qbe.SetQBE({QStringLiteral("Benef.db | NOME | UF |"), QStringLiteral("Delete | Dario | |"),
                QStringLiteral("Delete | | RJ |")});
    banco->FalhaNaProximaEscrita(1);   // the second row's statement fails
    EXPECT_THROW(qbe.Open(), EDBEngineError);
    EXPECT_EQ(Tabelas(), antes);
    qbe.Open();
    EXPECT_EQ(Tabelas().size(), antes.size() - 2);
}

}   // namespace
