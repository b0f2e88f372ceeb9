#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <functional>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <string_view>
#include <vector>

#include "platform/db/BancoDeTeste.h"
#include "support/FalhasDeDisco.h"
#include "support/ProcessoLimitado.h"
#include "support/ProgramaDeTeste.h"
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

namespace {

// The comparison the names' indexes were built with, kept as the reference of their order: the
// fold of each UTF-16 unit of the decoded text, then the texts themselves.
int ComparaNomesReferencia(const QByteArray& a, const QByteArray& b)
{
    const auto semAcentoNemCaixa = [](const QString& texto) {
        QString dobrado;
        for (const QChar c : texto) {
            const QString decomposto = c.decomposition();
            const QChar base = decomposto.isEmpty() || c.decompositionTag() != QChar::Canonical ? c
                                                                                                : decomposto.front();
            dobrado += base.toUpper();
        }
        return dobrado;
    };
    const QString textoA = QString::fromUtf8(a);
    const QString textoB = QString::fromUtf8(b);
    const int dobrados = semAcentoNemCaixa(textoA).compare(semAcentoNemCaixa(textoB));
    return dobrados != 0 ? dobrados : textoA.compare(textoB);
}

int Sinal(int valor)
{
    return (valor > 0) - (valor < 0);
}

int ComparaNomes(const QByteArray& a, const QByteArray& b)
{
    return TDatabase::ComparaNomes(std::string_view(a.constData(), static_cast<std::size_t>(a.size())),
                                   std::string_view(b.constData(), static_cast<std::size_t>(b.size())));
}

}   // namespace

TEST(TDatabaseColacao, NamesCompareWithoutCaseOrAccentsThenByTheirText)
{
    const struct {
        const char* a;
        const char* b;
        int sinal;
    } casos[] = {
        {"JOSE", "josé", -1},   // equal once folded: the text decides, so the order stays total
        {"JOSÉ", "JOSEFA", -1}, {"josé p", "JOSE{", -1}, {"ÁGUA", "AZUL", -1},
        {"Ünica", "UNICA", 1},  {"MARIA", "MARIA", 0},   {"", "", 0},
        {"", "A", -1},          {"ç", "C", 1},           {"ÇA", "CB", -1},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.a);
        EXPECT_EQ(Sinal(ComparaNomes(c.a, c.b)), c.sinal);
        EXPECT_EQ(Sinal(ComparaNomes(c.b, c.a)), -c.sinal);
    }
}

// Indexes of names written before keep their order only if every pair of names compares as it
// did: names as typed, and any bytes a damaged or foreign file may hold.
TEST(TDatabaseColacao, NamesKeepTheOrderTheIndexesWereBuiltWith)
{
    // Names as typed, between bars: case, accents, "Ç", blanks, digits and signs.
    const QByteArrayList digitados =
        QByteArray("| |  |A|a|AB|Ab|aB|ab|JOSE|José|JOSÉ|jose|JOSE |JOSE  DA SILVA|JOSE DA SILVA|JOSEFA|JOSÉ{|"
                   "ÇA|ça|CA|Ca|CAÇA|CACA|ÁGUA|AGUA|ÃO|AO|Õ|Ü|ü|UE|MARIA 2|MARIA 10|0|9|10|A1|A-B|A.B|A'B|A/B|"
                   "{|`|~|@|\x7f")
            .split('|');
    // Letters whose fold is no plain capital, other scripts, a mark apart, beyond 16 bits.
    const QByteArrayList outros =
        QByteArray("ß|SS|ÿ|Ÿ|Y|Æ|Ø|ı|İ|I|Ω|Ω|Å|Å|ṩ|한|ﬁ|FI|Ａ|😀|\xEF\xBF\xBD|\xEF\xBF\xBE|\xEF\xB7\x90|e\xCC\x81")
            .split('|');
    // In hex: the byte order mark, and bytes that are no UTF-8 (cut short, overlong, a surrogate,
    // past U+10FFFF, no lead byte).
    const QByteArrayList hex = QByteArray("EFBBBF|EFBBBF41|41EFBBBF|C3|41C3|80|C080|C1BF|EDA080|ED9FBF|F4908080|"
                                          "F48FBFBF|F5|FF|E080|E0A0|F09F|F09F98|F0808080|E282|E28241|C328|C38980")
                                   .split('|');
    std::vector<QByteArray> textos(digitados.begin(), digitados.end());
    textos.insert(textos.end(), outros.begin(), outros.end());
    for (const QByteArray& h : hex)
        textos.push_back(QByteArray::fromHex(h));
    const QByteArray longo = "BENEFICIARIO " + QByteArray("BACEDIFOGULAMENIPORU ").repeated(12);
    textos.insert(textos.end(), {longo, longo + "Ú", longo + "U", longo.toLower()});
    const std::size_t tabela = textos.size();
    // Names made of these pieces, many alike but for one piece, so that comparisons go deep.
    std::mt19937 sorteio(2003);
    const auto pecas = textos;
    const auto peca = [&] { return pecas[sorteio() % pecas.size()]; };
    for (int n = 0; n < 1500; ++n) {
        QByteArray nome;
        const std::size_t tamanho = sorteio() % 8;
        for (std::size_t p = 0; p < tamanho; ++p)
            nome += peca();
        textos.push_back(nome);
        QByteArray quase = nome;
        quase.insert(static_cast<int>(sorteio() % static_cast<unsigned>(nome.size() + 1)), peca());
        textos.push_back(quase);
        QByteArray soltos;
        for (std::size_t p = sorteio() % 6; p > 0; --p)
            soltos += static_cast<char>(sorteio() % 256);
        textos.push_back(nome + soltos);
    }
    int diferentes = 0;
    for (std::size_t i = 0; i < textos.size(); ++i) {
        // Each against its neighbours, and the table's names against every name.
        const std::size_t ate = i < tabela ? textos.size() : std::min(textos.size(), i + 8);
        for (std::size_t j = i; j < ate; ++j) {
            const int esperado = Sinal(ComparaNomesReferencia(textos[i], textos[j]));
            ASSERT_EQ(Sinal(ComparaNomes(textos[i], textos[j])), esperado)
                << textos[i].toHex(' ').toStdString() << " / " << textos[j].toHex(' ').toStdString();
            ASSERT_EQ(Sinal(ComparaNomes(textos[j], textos[i])), -esperado)
                << textos[j].toHex(' ').toStdString() << " / " << textos[i].toHex(' ').toStdString();
            diferentes += esperado != 0;
        }
    }
    EXPECT_GT(diferentes, 100000);
}

// A database file that is not a regular file never holds the opening (a fifo would hold SQLite's
// first read for good): it is refused, naming what stands there.
TEST(TDatabaseArquivo, WhatIsNoRegularFileUnderTheDatabasesNameIsRefusedWithWhatItIs)
{
    const QString arquivo = ProgramaDeTeste::Pasta() + QStringLiteral("/banco.db");
    const QByteArray nome = QFile::encodeName(arquivo);
    const struct {
        const char* caso;
        std::function<bool()> faz;
        const char* motivo;
    } casos[] = {
        {"a fifo", [&nome] { return ::mkfifo(nome.constData(), 0644) == 0; }, "arquivo especial"},
        {"a link", [&nome] { return ::symlink("/dev/zero", nome.constData()) == 0; }, "atalho"},
        {"a folder", [&nome] { return ::mkdir(nome.constData(), 0755) == 0; }, "pasta com o nome"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        ASSERT_TRUE(c.faz());
        const QString motivo = QString::fromUtf8(c.motivo);
        const int saida = NoProcessoLimitado([&arquivo, &motivo] {
            try {
                TDatabase banco(arquivo);
                TComando(banco.Conexao(), QStringLiteral("PRAGMA user_version")).Passo();
            } catch (const EDBEngineError& e) {
                return e.Mensagem().contains(motivo) ? 0 : 2;
            }
            return 1;
        });
        EXPECT_EQ(saida, 0) << "-1: held; 1: opened; 2: not told what stands there";
        ::unlink(nome.constData());
        ::rmdir(nome.constData());
    }
}
