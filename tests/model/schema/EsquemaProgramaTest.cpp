#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>
#include <sqlite3.h>

#include "model/ImprimeQString.h"
#include "model/schema/EsquemaPrograma.h"
#include "model/storage/OperacoesTabela.h"
#include "model/values/TErro.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/values/PastasPrograma.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TEsquemaTabela.h"
#include "platform/db/sqlite/TTransacao.h"
#include "platform/files/TPastas.h"

namespace {

QStringList NomesCampos(const std::vector<TFieldDef>& campos)
{
    QStringList nomes;
    for (const TFieldDef& campo : campos)
        nomes << campo.Name;
    return nomes;
}

class EsquemaProgramaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TPastas::Cria());
        banco = TDatabase::DaPasta(DiretorioDados());
    }
    std::shared_ptr<TDatabase> banco;
};

}   // namespace

TEST_F(EsquemaProgramaTest, EveryTableIsMadeWithItsColumnsAndSurvivesALaterRollback)
{
    CriaTabelasPrograma(*banco);
    {
        TTransacao desfeita(*banco);   // rolled back, as a failed deletion would be
    }
    const std::vector<TTabelaPrograma> tabelas = TabelasPrograma();
    ASSERT_EQ(tabelas.size(), 16U);
    for (const TTabelaPrograma& tabela : tabelas) {
        SCOPED_TRACE(tabela.Nome.toStdString());
        const TEsquemaTabela lido = TEsquemaTabela::Le(*banco, tabela.Nome);
        EXPECT_EQ(NomesCampos(lido.Campos), NomesCampos(tabela.Campos));
        EXPECT_EQ(lido.Indices.size(), tabela.Indices.size());
    }
    EXPECT_EQ(banco->NomesTabelas().size(), qsizetype(tabelas.size()));
}

TEST_F(EsquemaProgramaTest, ACollectionOpenedAfterwardsMakesNothingAndRowsKeptAcrossStarts)
{
    CriaTabelasPrograma(*banco);
    const QStringList antes = banco->NomesTabelas();
    banco->Escreve(QStringLiteral("INSERT INTO Tabuf (SG_UF, NM_UF) VALUES ('SP', 'SAO PAULO')"));
    {
        TColecaoPruv colecao;   // and its responsible persons
    }
    CriaTabelasPrograma(*banco);   // the next start
    EXPECT_EQ(banco->NomesTabelas(), antes);
    TComando& conta = banco->Comando(QStringLiteral("SELECT COUNT(*) FROM Tabuf"));
    ASSERT_TRUE(conta.Passo());
    EXPECT_EQ(conta.Inteiro(0), 1);
}

TEST_F(EsquemaProgramaTest, ADatabaseHeldByAnotherProgramIsSaidPlainly)
{
    // Another program in the middle of a write, past the busy wait.
    sqlite3* outro = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(banco->Arquivo()).constData(), &outro), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(outro, "BEGIN IMMEDIATE; CREATE TABLE Outro (A TEXT)", nullptr, nullptr, nullptr),
              SQLITE_OK);
    try {
        CriaTabelasPrograma(*banco);
        ADD_FAILURE() << "no error raised";
    } catch (const EDadosError& e) {
        EXPECT_EQ(e.Codigo(), 142);
        EXPECT_EQ(e.GetMensagem(),
                  QStringLiteral("Não foi possivel abrir a tabela pruv2003.db.  Erro Retornado: o "
                                 "banco de dados está em uso por outro programa."));
    }
    sqlite3_exec(outro, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(outro);
    EXPECT_TRUE(banco->NomesTabelas().isEmpty());
}

TEST_F(EsquemaProgramaTest, AnOlderDatabaseIsBroughtUpToTheProgramsColumnsOnOpening)
{
    CriaTabelasPrograma(*banco);
    // An older program's tables: the declarations without two columns, the states without one.
    banco->Escreve(
        QStringLiteral("INSERT INTO Pruv (PRUV_DK, AN_RETENCA, NM_NM_EMPR) VALUES ('00001', '2002', 'FULANO')"));
    banco->Escreve(
        QStringLiteral("INSERT INTO Pruv (PRUV_DK, AN_RETENCA, NM_NM_EMPR) VALUES ('00002', '2001', 'BELTRANO')"));
    banco->Escreve(QStringLiteral("ALTER TABLE Pruv DROP COLUMN RESP_PF"));
    banco->Escreve(QStringLiteral("ALTER TABLE Pruv DROP COLUMN NR_DISQUETES"));
    banco->Escreve(QStringLiteral("INSERT INTO Tabuf (SG_UF, NM_UF) VALUES ('SP', 'SAO PAULO')"));
    banco->Escreve(QStringLiteral("ALTER TABLE Tabuf DROP COLUMN NM_UF"));

    CriaTabelasPrograma(*banco);   // the next start
    for (const TTabelaPrograma& tabela : TabelasPrograma()) {
        SCOPED_TRACE(tabela.Nome.toStdString());
        const TEsquemaTabela lido = TEsquemaTabela::Le(*banco, tabela.Nome);
        EXPECT_EQ(NomesCampos(lido.Campos), NomesCampos(tabela.Campos));
        EXPECT_EQ(lido.Indices.size(), tabela.Indices.size());
    }
    // Every row kept, the columns it lacked empty; the indexes still order it.
    TComando& linhas = banco->Comando(
        QStringLiteral("SELECT PRUV_DK, NM_NM_EMPR, RESP_PF, NR_DISQUETES FROM Pruv ORDER BY AN_RETENCA"));
    QStringList lidas;
    while (linhas.Passo())
        lidas << QStringList{linhas.Texto(0), linhas.Texto(1), linhas.Texto(2), linhas.Texto(3)}.join(QLatin1Char('|'));
    EXPECT_EQ(lidas, (QStringList{QStringLiteral("00002|BELTRANO||"), QStringLiteral("00001|FULANO||")}));
    TColecaoPruv colecao;
    EXPECT_FALSE(colecao.EstaVazia());
}

TEST_F(EsquemaProgramaTest, AnOlderTableWhoseRowsCannotBeKeptIsRefusedAndLeftAsItWas)
{
    CriaTabelasPrograma(*banco);
    // Without its key column, two rows would take the same key in today's table.
    banco->Escreve(QStringLiteral("DROP TABLE Tabuf"));
    banco->Escreve(QStringLiteral("CREATE TABLE Tabuf (NM_UF TEXT NOT NULL DEFAULT '')"));
    banco->Escreve(QStringLiteral("INSERT INTO Tabuf (NM_UF) VALUES ('SAO PAULO'), ('PARANA')"));
    try {
        CriaTabelasPrograma(*banco);
        ADD_FAILURE() << "no error raised";
    } catch (const EDadosError& e) {
        EXPECT_EQ(e.Codigo(), 142);
        EXPECT_TRUE(e.GetMensagem().contains(QStringLiteral("Tabuf"))) << e.GetMensagem().toStdString();
    }
    const TEsquemaTabela lido = TEsquemaTabela::Le(*banco, QStringLiteral("Tabuf"));
    EXPECT_EQ(NomesCampos(lido.Campos), QStringList{QStringLiteral("NM_UF")});
    TComando& conta = banco->Comando(QStringLiteral("SELECT COUNT(*) FROM Tabuf"));
    ASSERT_TRUE(conta.Passo());
    EXPECT_EQ(conta.Inteiro(0), 2);
}

// A table that holds a column this program never made is not the program's: refused, in the
// user's words, naming the column and the table, and left as it was.
TEST_F(EsquemaProgramaTest, ATableWithAColumnTheProgramDoesNotKnowIsRefusedInPortuguese)
{
    CriaTabelasPrograma(*banco);
    banco->Escreve(QStringLiteral("DROP TABLE Tabuf"));
    banco->Escreve(QStringLiteral("CREATE TABLE Tabuf (SG_UF TEXT NOT NULL DEFAULT '', COLUNA_ESTRANHA TEXT)"));
    try {
        CriaTabelasPrograma(*banco);
        ADD_FAILURE() << "no error raised";
    } catch (const EDadosError& e) {
        EXPECT_EQ(e.Codigo(), 142);
        EXPECT_EQ(e.GetMensagem(),
                  QStringLiteral("Não foi possivel abrir a tabela Tabuf.DB.  Erro Retornado: a coluna "
                                 "COLUNA_ESTRANHA da tabela Tabuf não é do programa."));
    }
    const TEsquemaTabela lido = TEsquemaTabela::Le(*banco, QStringLiteral("Tabuf"));
    EXPECT_EQ(NomesCampos(lido.Campos), (QStringList{QStringLiteral("SG_UF"), QStringLiteral("COLUNA_ESTRANHA")}));
}

// A file made before the search's indexes (items by code, beneficiaries by name) gains them on
// opening, once, and nothing else changes: every other object and row stays as it was, and the
// index of names orders them as the search lists them, without regard to accents or case.
TEST_F(EsquemaProgramaTest, AFileWithoutTheSearchIndexesGainsThemOnOpeningAndNothingElse)
{
    CriaTabelasPrograma(*banco);
    banco->Escreve(QStringLiteral("INSERT INTO Benef (E_PRUV_DK, IN_PF_PJ, NR_PF_PJ, NM_NM_EMPR) VALUES "
                                  "('00001', '1', '111', 'josé'), ('00001', '1', '222', 'ANA'), "
                                  "('00001', '2', '333', 'JOSE'), ('00002', '1', '111', 'BRUNO')"));
    banco->Escreve(QStringLiteral("INSERT INTO PruvItem (IN_ANEXO, \"E_PRUV/ANEXO_DK\", PRUV_ITEM_DK, E_PRUV_DK, "
                                  "TRIB_TRIBU, E_IN_PF_PJ, E_NR_PF_PJ) VALUES ('0', '00001', '0000001', '00001', "
                                  "'3208', '1', '111'), ('0', '00001', '0000002', '00001', '0561', '1', '222')"));
    const auto esquema = [this] {
        QStringList objetos;
        TComando c(banco->Conexao(),
                   QStringLiteral("SELECT type || ' ' || name || ' ' || ifnull(sql, '') "
                                  "FROM sqlite_schema ORDER BY name"));
        while (c.Passo())
            objetos << c.Texto(0);
        return objetos;
    };
    const auto linhas = [this](const char* sql) {
        QStringList lidas;
        TComando c(banco->Conexao(), QLatin1String(sql));
        while (c.Passo())
            lidas << c.Texto(0);
        return lidas;
    };
    const QStringList completo = esquema();
    ASSERT_TRUE(completo.contains(
        QStringLiteral("index PruvItem$ICodBenefPruv CREATE INDEX \"PruvItem$ICodBenefPruv\" ON \"PruvItem\" "
                       "(\"E_PRUV_DK\",\"TRIB_TRIBU\",\"E_IN_PF_PJ\",\"E_NR_PF_PJ\")")));
    ASSERT_TRUE(completo.contains(QStringLiteral("index Benef$INome CREATE INDEX \"Benef$INome\" ON \"Benef\" "
                                                 "(\"E_PRUV_DK\",\"NM_NM_EMPR\" COLLATE PRUVNOME)")));
    const char* const benef = "SELECT E_PRUV_DK || NR_PF_PJ || NM_NM_EMPR FROM Benef ORDER BY 1";
    const char* const itens = "SELECT PRUV_ITEM_DK || TRIB_TRIBU FROM PruvItem ORDER BY 1";
    const QStringList beneficiarios = linhas(benef);
    const QStringList doItens = linhas(itens);

    // The file of an earlier program.
    banco->Escreve(QStringLiteral("DROP INDEX \"PruvItem$ICodBenefPruv\""));
    banco->Escreve(QStringLiteral("DROP INDEX \"Benef$INome\""));
    banco->Escreve(QStringLiteral("DROP INDEX \"PruvItem$IPruvDono\""));
    ASSERT_NE(esquema(), completo);
    CriaTabelasPrograma(*banco);   // the next start
    EXPECT_EQ(esquema(), completo);
    EXPECT_EQ(linhas(benef), beneficiarios);
    EXPECT_EQ(linhas(itens), doItens);
    const QStringList versao = linhas("PRAGMA schema_version");
    CriaTabelasPrograma(*banco);   // and the one after it makes nothing
    EXPECT_EQ(linhas("PRAGMA schema_version"), versao);

    EXPECT_EQ(linhas("SELECT NM_NM_EMPR FROM Benef INDEXED BY \"Benef$INome\" WHERE E_PRUV_DK = '00001' "
                     "ORDER BY E_PRUV_DK, NM_NM_EMPR COLLATE PRUVNOME"),
              (QStringList{QStringLiteral("ANA"), QStringLiteral("JOSE"), QStringLiteral("josé")}));
}
