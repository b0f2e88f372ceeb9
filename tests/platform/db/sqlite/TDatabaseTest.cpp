#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "platform/db/BancoDeTeste.h"
#include "support/FalhasDeDisco.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/datasets/TTable.h"
#include "platform/db/sqlite/TTransacao.h"

namespace {

QString Pragma(TDatabase& banco, const QString& nome)
{
    TComando c(banco.Conexao(), QStringLiteral("PRAGMA ") + nome);
    return c.Passo() ? c.Texto(0) : QString();
}

class TDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        banco = Banco();
        for (TTable* t : {&a, &b}) {
            t->SetDatabaseName(PastaDados());
        }
        a.SetTableName(QStringLiteral("Pruv"));
        b.SetTableName(QStringLiteral("Benef.db"));
        a.CreateTable({{QStringLiteral("PRUV_DK"), ftString, 5}, {QStringLiteral("NOME"), ftString, 20}},
                      {{QString(), QStringLiteral("PRUV_DK"), TIndexOption::ixPrimary}});
        b.CreateTable({{QStringLiteral("E_PRUV_DK"), ftString, 5}, {QStringLiteral("NR"), ftString, 9}},
                      {{QString(), QStringLiteral("E_PRUV_DK;NR"), TIndexOption::ixPrimary}});
        a.Open();
        b.Open();
    }

    static void Insere(TTable& t, const QString& chave, const QString& valor)
    {
        t.Append();
        t.Fields(0)->SetAsString(chave);
        t.Fields(1)->SetAsString(valor);
        t.Post();
    }

    std::shared_ptr<TDatabase> banco;
    TTable a, b;
};

TEST_F(TDatabaseTest, OneFileWithRollbackJournalAndFullSync)
{
    EXPECT_EQ(banco->Arquivo(), PastaDados() + QStringLiteral("/pruv2003.db"));
    EXPECT_EQ(Pragma(*banco, QStringLiteral("journal_mode")), QStringLiteral("delete"));
    EXPECT_EQ(Pragma(*banco, QStringLiteral("synchronous")), QStringLiteral("2"));
    EXPECT_EQ(a.Database(), b.Database()) << "every table of a folder shares the connection";
}

TEST_F(TDatabaseTest, TablesAreFoundWithoutRegardToCaseOrExtension)
{
    const struct {
        const char* nome;
        const char* esperado;
    } casos[] = {{"pruv", "Pruv"}, {"PRUV.DB", "Pruv"}, {"Pruv.db", "Pruv"}, {"benef.DB", "Benef"}, {"Resumo.db", ""}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(banco->NomeReal(QString::fromUtf8(c.nome)), QString::fromUtf8(c.esperado));
    }
    TTable inexistente;
    inexistente.SetDatabaseName(PastaDados());
    inexistente.SetTableName(QStringLiteral("Resumo.db"));
    EXPECT_FALSE(inexistente.Exists());
    EXPECT_THROW(inexistente.Open(), EDatabaseError);
    EXPECT_FALSE(inexistente.Active());
}

TEST_F(TDatabaseTest, AFailedMultiTableSaveLeavesEveryTableAsItWas)
{
    Insere(a, QStringLiteral("00001"), QStringLiteral("antes"));
    {
        TTransacao t(*banco);
        a.Edit();
        a.Fields(1)->SetAsString(QStringLiteral("depois"));
        a.Post();
        Insere(b, QStringLiteral("00001"), QStringLiteral("111"));
        banco->FalhaNaProximaEscrita();
        EXPECT_THROW(Insere(b, QStringLiteral("00001"), QStringLiteral("222")), EDBEngineError);
        b.Cancel();
    }   // not confirmed: rolled back
    a.Refresh();
    b.Refresh();
    EXPECT_EQ(a.Fields(1)->AsString(), QStringLiteral("antes"));
    EXPECT_EQ(b.RecordCount(), 0);
}

TEST_F(TDatabaseTest, AConfirmedTransactionKeepsEveryWrite)
{
    {
        TTransacao t(*banco);
        Insere(a, QStringLiteral("00001"), QStringLiteral("x"));
        Insere(b, QStringLiteral("00001"), QStringLiteral("111"));
        t.Confirma();
    }
    EXPECT_EQ(a.RecordCount(), 1);
    EXPECT_EQ(b.RecordCount(), 1);
    EXPECT_EQ(banco->ProfundidadeTransacao(), 0);
}

TEST_F(TDatabaseTest, ATablesNameIsFoundAsTheTableIsMadeUndoneMadeAgainAndDropped)
{
    const QString nome = QStringLiteral("Nova.db");
    EXPECT_TRUE(banco->NomeReal(nome).isEmpty());
    const auto faz = [&](const char* sql) {
        TComando c(banco->Conexao(), QString::fromLatin1(sql));
        c.Passo();
    };
    {
        TTransacao t(*banco);
        faz("CREATE TABLE NOVA (A TEXT)");
        EXPECT_EQ(banco->NomeReal(nome), QStringLiteral("NOVA"));
    }
    EXPECT_TRUE(banco->NomeReal(nome).isEmpty()) << "the making was undone";
    {
        // Made again, under the schema version the undone one had, with another name's case.
        TTransacao t(*banco);
        faz("CREATE TABLE Nova (A TEXT)");
        t.Confirma();
    }
    EXPECT_EQ(banco->NomeReal(nome), QStringLiteral("Nova"));
    faz("DROP TABLE Nova");
    EXPECT_TRUE(banco->NomeReal(nome).isEmpty());
}

TEST_F(TDatabaseTest, ATableMadeAgainAfterAnUndoneOneIsReadWithItsOwnColumns)
{
    // Each undone table was read while it existed, and the next made after the undoing takes the
    // same schema version number: the definition read must be the new one.
    const struct {
        const char* campo;
        bool desfaz;
    } casos[] = {{"PRIMEIRO", true}, {"SEGUNDO", true}, {"TERCEIRO", false}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.campo);
        TTransacao t(*banco);
        TTable nova;
        nova.SetDatabaseName(PastaDados());
        nova.SetTableName(QStringLiteral("Nova"));
        nova.CreateTable({{QString::fromLatin1(c.campo), ftString, 5}}, {});
        nova.Open();
        ASSERT_EQ(nova.FieldCount(), 1);
        EXPECT_EQ(nova.Fields(0)->FieldName(), QString::fromLatin1(c.campo));
        nova.Close();
        if (!c.desfaz)
            t.Confirma();
    }
    a.Refresh();   // the tables kept open read on
    EXPECT_TRUE(a.IsEmpty());
}

TEST_F(TDatabaseTest, AStatementsPlanFollowsEveryChangeOfTheSchema)
{
    // The plans are kept by the statement's text: an index made, undone or dropped gives the
    // same text another plan, which must be asked again.
    const QString sql = QStringLiteral("SELECT * FROM Benef WHERE NR = ?");
    const auto porIndice = [&] { return banco->Plano(sql).join(QLatin1Char(' ')).contains(QLatin1String("INDEX")); };
    const auto faz = [&](const char* texto) {
        TComando c(banco->Conexao(), QString::fromLatin1(texto));
        c.Passo();
    };
    EXPECT_FALSE(porIndice());
    {
        TTransacao t(*banco);
        faz("CREATE INDEX BenefNr ON Benef (NR)");
        EXPECT_TRUE(porIndice()) << "made inside the transaction";
    }
    EXPECT_FALSE(porIndice()) << "the making was undone";
    faz("CREATE INDEX BenefNr ON Benef (NR)");
    EXPECT_TRUE(porIndice());
    faz("DROP INDEX BenefNr");
    EXPECT_FALSE(porIndice());
    EXPECT_THROW((void)banco->Plano(QStringLiteral("SELECT * FROM Nenhuma")), EDBEngineError);
}

TEST_F(TDatabaseTest, TheFaultHookCanWaitForLaterWrites)
{
    banco->FalhaNaProximaEscrita(1);
    Insere(a, QStringLiteral("00001"), QStringLiteral("x"));
    EXPECT_THROW(Insere(a, QStringLiteral("00002"), QStringLiteral("y")), EDBEngineError);
    a.Cancel();
    Insere(a, QStringLiteral("00003"), QStringLiteral("z"));
    EXPECT_EQ(a.RecordCount(), 2);

    banco->FalhaNaProximaEscrita(0);
    banco->FalhaNaProximaEscrita(-1);   // disarmed: the next write goes through
    Insere(a, QStringLiteral("00004"), QStringLiteral("w"));
    EXPECT_EQ(a.RecordCount(), 3);
}

TEST_F(TDatabaseTest, WriteThroughOffJoinsTheWritesUntilItIsTurnedOn)
{
    banco->SetWriteThrough(false);
    EXPECT_FALSE(banco->WriteThrough());
    Insere(a, QStringLiteral("00001"), QStringLiteral("x"));
    banco->FalhaNaProximaEscrita();
    EXPECT_THROW(Insere(a, QStringLiteral("00002"), QStringLiteral("y")), EDBEngineError);
    a.Cancel();   // only the failed post is undone
    Insere(a, QStringLiteral("00003"), QStringLiteral("z"));
    {
        // Another connection sees nothing yet.
        TDatabase outro(banco->Arquivo());
        TComando c(outro.Conexao(), QStringLiteral("SELECT COUNT(*) FROM Pruv"));
        ASSERT_TRUE(c.Passo());
        EXPECT_EQ(c.Inteiro(0), 0);
    }
    banco->SetWriteThrough(true);
    EXPECT_TRUE(banco->WriteThrough());
    TDatabase outro(banco->Arquivo());
    TComando c(outro.Conexao(), QStringLiteral("SELECT COUNT(*) FROM Pruv"));
    ASSERT_TRUE(c.Passo());
    EXPECT_EQ(c.Inteiro(0), 2);
}

TEST_F(TDatabaseTest, EngineErrorsCarrySQLitesText)
{
    try {
        TComando c(banco->Conexao(), QStringLiteral("SELECT * FROM Nenhuma"));
        FAIL();
    } catch (const EDBEngineError& e) {
        EXPECT_EQ(e.Mensagem(), QStringLiteral("no such table: Nenhuma"));
    }
}

TEST(TDatabaseAbertura, AFileThatCannotBeReadIsToldApartAndExplainedInPortuguese)
{
    const QString pasta = ProgramaDeTeste::Pasta();
    const struct {
        const char* caso;
        QByteArray conteudo;   // empty: a folder takes the file's name
        bool ilegivel;
        const char* motivo;
    } casos[] = {
        {"not a database", QByteArray(8192, 'x'), true, "o arquivo não é um banco de dados válido"},
        {"a damaged header", QByteArray("SQLite format 3") + QByteArray(1, '\0') + QByteArray(4080, '\x7f'), true,
         "o arquivo não é um banco de dados válido"},
        {"a folder in its place", QByteArray(), false, "não foi possível abrir o arquivo do banco de dados"},
    };
    int n = 0;
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        const QString dados = pasta + QStringLiteral("/caso%1").arg(++n);
        ASSERT_TRUE(QDir().mkpath(dados));
        const QString arquivo = dados + QLatin1Char('/') + TDatabase::NomeArquivo();
        if (c.conteudo.isEmpty()) {
            ASSERT_TRUE(QDir().mkpath(arquivo));
        } else {
            QFile f(arquivo);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.conteudo);
        }
        try {
            (void)TDatabase::DaPasta(dados);
            ADD_FAILURE() << "opened";
        } catch (const EDBEngineError& e) {
            EXPECT_EQ(e.ArquivoIlegivel(), c.ilegivel);
            EXPECT_EQ(e.Motivo(), QString::fromUtf8(c.motivo));
            EXPECT_TRUE(e.Mensagem().contains(arquivo)) << "SQLite's text names the file, for the log";
        }
    }
    // A fault that is the program's own keeps SQLite's text alone.
    EXPECT_EQ(EDBEngineError(QStringLiteral("no such table: Nenhuma"), 1).Motivo(), QString());
    EXPECT_TRUE(EDBEngineError(QStringLiteral("database disk image is malformed"), 11 | (1 << 8)).ArquivoIlegivel());
}

TEST_F(TDatabaseTest, PackingGivesBackTheSpaceOfDeletedRows)
{
    {
        TTransacao t(*banco);   // one commit: the test is about the space, not the writes
        for (int i = 0; i < 2000; ++i)
            Insere(a, QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0')), QString(20, QLatin1Char('x')));
        t.Confirma();
    }
    a.EmptyTable();
    const qint64 antes = QFileInfo(banco->Arquivo()).size();
    banco->Compacta();
    EXPECT_LT(QFileInfo(banco->Arquivo()).size(), antes);
    a.Refresh();
    EXPECT_TRUE(a.IsEmpty());
}

}   // namespace

TEST_F(TDatabaseTest, AfterSQLiteRollsBackByItselfNoLaterWriteOfTheOperationCommits)
{
    Insere(a, QStringLiteral("00001"), QStringLiteral("antes"));
    // An import: one transaction, a savepoint for each item, one that fails on the disk once.
    const struct {
        const char* caso;
        FalhasDeDisco::Falha falha;
    } casos[] = {
        {"journal write", {0, FalhasDeDisco::Escrita, false, false}},
        {"full disk", {0, FalhasDeDisco::Escrita, false, true}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        int recusadas = 0;
        {
            TTransacao importacao(*banco);
            Insere(b, QStringLiteral("00001"), QStringLiteral("111"));
            FalhasDeDisco::Armada falha(c.falha);
            for (const char* nr : {"222", "333", "444"}) {
                try {
                    TTransacao item(*banco);
                    a.Edit();
                    a.Fields(1)->SetAsString(QLatin1String(nr));
                    a.Post();
                    Insere(b, QStringLiteral("00001"), QLatin1String(nr));
                    item.Confirma();
                } catch (const EDBEngineError&) {
                    a.Cancel();
                    b.Cancel();
                    ++recusadas;
                }
            }
            EXPECT_TRUE(FalhasDeDisco::Disparou());
            EXPECT_TRUE(banco->TransacaoPerdida());
            EXPECT_THROW(importacao.Confirma(), EDBEngineError);
        }
        EXPECT_EQ(recusadas, 3);
        EXPECT_FALSE(banco->TransacaoPerdida());
        EXPECT_EQ(banco->ProfundidadeTransacao(), 0);
        a.Refresh();
        b.Refresh();
        EXPECT_EQ(a.Fields(1)->AsString(), QStringLiteral("antes"));
        EXPECT_EQ(b.RecordCount(), 0);
        // The next operation writes again.
        Insere(b, QStringLiteral("00002"), QStringLiteral("555"));
        EXPECT_EQ(b.RecordCount(), 1);
        TTransacao limpa(*banco);
        banco->Escreve(QStringLiteral("DELETE FROM Benef"));
        limpa.Confirma();
    }
}

TEST(TDatabaseColacao, NamesCompareWithoutCaseOrAccentsThenByTheirText)
{
    const struct {
        const char* a;
        const char* b;
        int sinal;
    } casos[] = {
        {"JOSE", "josé", -1},   // equal once folded: the text decides, so the order stays total
        {"JOSÉ", "JOSEFA", -1}, {"josé p", "JOSE{", -1}, {"ÁGUA", "AZUL", -1},
        {"Ünica", "UNICA", 1},  {"MARIA", "MARIA", 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.a);
        const int r = TDatabase::ComparaNomes(QString::fromUtf8(c.a), QString::fromUtf8(c.b));
        EXPECT_EQ((r > 0) - (r < 0), c.sinal);
    }
}
