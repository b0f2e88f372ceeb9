#include <gtest/gtest.h>
#include <sqlite3.h>

#include <stdexcept>

#include "components/data/datasets/TdvTable.h"
#include "model/ImprimeQString.h"
#include "model/storage/TColecao.h"
#include "model/values/PastasPrograma.h"
#include "model/values/TErro.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/files/TEspacoEmDisco.h"
#include "platform/files/TPastas.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "support/FalhasDeDisco.h"

namespace {

struct TLinha {
    QString Chave;
    QString Nome;
};

// A collection over the table Teste (GRUPO, CHAVE, NOME), primary index on GRUPO and CHAVE.
class TColecaoDeTeste final : public TColecaoDe<TLinha> {
public:
    explicit TColecaoDeTeste(bool comAux = false)
    {
        CriaTabelaColecao(QStringLiteral("Teste.db"));
        CriaEsquema(&Campos, &Indices);
        if (comAux)
            CriaTabelaAux(QStringLiteral("Teste.db"));
        AbreTabelaColecao();
        if (comAux)
            AbreTabelaAux();
    }

    static std::vector<TFieldDef> Campos()
    {
        return {{QStringLiteral("GRUPO"), ftString, 1},
                {QStringLiteral("CHAVE"), ftString, 3},
                {QStringLiteral("NOME"), ftString, 20}};
    }
    static std::vector<TIndexDef> Indices()
    {
        return {{QString(), QStringLiteral("GRUPO;CHAVE"), TIndexOption::ixPrimary},
                {QStringLiteral("INome"), QStringLiteral("NOME"), 0}};
    }

    void LeRegistro(TLinha& linha) override
    {
        linha.Chave = Tabela().FieldByName(QStringLiteral("CHAVE"))->AsString();
        linha.Nome = Tabela().FieldByName(QStringLiteral("NOME"))->AsString();
    }

    // Appends the row without posting it.
    void Novo(const QString& grupo, const QString& chave, const QString& nome = QStringLiteral("x"))
    {
        Tabela().Append();
        Tabela().FieldByName(QStringLiteral("GRUPO"))->SetAsString(grupo);
        Tabela().FieldByName(QStringLiteral("CHAVE"))->SetAsString(chave);
        Tabela().FieldByName(QStringLiteral("NOME"))->SetAsString(nome);
    }
    void Inclui(const QString& grupo, const QString& chave, const QString& nome = QStringLiteral("x"))
    {
        Novo(grupo, chave, nome);
        Grava();
    }

    // The rows of one group, by range and by filter line, as the collections keep an owner's rows.
    void FiltraGrupo(const QString& grupo)
    {
        SelecionaIndice(QString());
        Tabela().SetRange({grupo, QStringLiteral("000")}, {grupo, QStringLiteral("999")});
        Tabela().dvFilter() << QStringLiteral("GRUPO = ") + grupo;
        Tabela().RefreshDvFilter();
        SetFiltrado(true);
    }

    using TColecao::Tabela;
    using TColecao::TabelaAux;
};

// Rows of a table as another connection to the database file sees them: only committed ones.
int LinhasConfirmadas(const char* tabela)
{
    sqlite3* conexao = nullptr;
    const QByteArray arquivo = (DiretorioDados() + QLatin1Char('/') + TDatabase::NomeArquivo()).toUtf8();
    if (sqlite3_open_v2(arquivo.constData(), &conexao, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(conexao);
        return -1;
    }
    const QByteArray sql = QByteArray("SELECT count(*) FROM ") + tabela;
    sqlite3_stmt* comando = nullptr;
    int linhas = -1;
    if (sqlite3_prepare_v2(conexao, sql.constData(), -1, &comando, nullptr) == SQLITE_OK
        && sqlite3_step(comando) == SQLITE_ROW)
        linhas = sqlite3_column_int(comando, 0);
    sqlite3_finalize(comando);
    sqlite3_close(conexao);
    return linhas;
}

class TColecaoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TPastas::Cria());
        ErroIndice = false;
    }
    void TearDown() override { ErroIndice = false; }

    DialogosRoteirizados dialogos;
};

}   // namespace

TEST_F(TColecaoTest, NextKeyIsTheHighestNumberOfTheWholeTablePlusOne)
{
    TColecaoDeTeste colecao;
    EXPECT_EQ(colecao.ProximaChave(QStringLiteral("CHAVE")), 1);
    for (const char* chave : {"001", "002", "009"})
        colecao.Inclui(QStringLiteral("1"), QLatin1String(chave));
    EXPECT_EQ(colecao.ProximaChave(QStringLiteral("CHAVE")), 10);

    // Another owner's higher key counts although the range and filter hide it; keys that are not
    // all digits do not count.
    colecao.Inclui(QStringLiteral("2"), QStringLiteral("042"));
    colecao.Inclui(QStringLiteral("2"), QStringLiteral("9AB"));
    colecao.Inclui(QStringLiteral("2"), QStringLiteral("  7"));
    colecao.FiltraGrupo(QStringLiteral("1"));
    ASSERT_EQ(colecao.Quantidade(), 3);
    EXPECT_EQ(colecao.ProximaChave(QStringLiteral("CHAVE")), 43);
    TLinha linha;
    colecao.UltimoRegistro(linha);
    EXPECT_EQ(linha.Chave, QStringLiteral("009"));   // the current row did not move
}

TEST_F(TColecaoTest, NextKeyPastTheColumnWidthIsAnErrorNotARepeatedKey)
{
    TColecaoDeTeste colecao;
    colecao.Inclui(QStringLiteral("1"), QStringLiteral("998"));
    EXPECT_EQ(colecao.ProximaChave(QStringLiteral("CHAVE")), 999);
    colecao.Inclui(QStringLiteral("1"), QStringLiteral("999"));
    try {
        (void)colecao.ProximaChave(QStringLiteral("CHAVE"));
        FAIL() << "no error";
    } catch (const EColecaoError& e) {
        EXPECT_EQ(e.Codigo(), 141);
        EXPECT_TRUE(e.Parametro().startsWith(QStringLiteral("Teste.db. Erro Retornado: ")))
            << e.Parametro().toStdString();
    }
}

TEST_F(TColecaoTest, AnIndexThatDoesNotExistRaises143AndSetsTheFlag)
{
    TColecaoDeTeste colecao(true);
    const struct {
        bool aux;
    } casos[] = {{false}, {true}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.aux);
        ErroIndice = false;
        try {
            if (c.aux)
                colecao.SelecionaIndiceAux(QStringLiteral("INada"));
            else
                colecao.SelecionaIndice(QStringLiteral("INada"));
            FAIL() << "no error";
        } catch (const EDadosError& e) {
            EXPECT_EQ(e.Codigo(), 143);
            EXPECT_TRUE(e.Parametro().startsWith(QStringLiteral("INada.  Erro Retornado: ")))
                << e.Parametro().toStdString();
        }
        EXPECT_TRUE(ErroIndice);
    }
    ErroIndice = false;
    colecao.SelecionaIndice(QStringLiteral("INome"));
    colecao.SelecionaIndiceAux(QString());
    EXPECT_FALSE(ErroIndice);
    EXPECT_EQ(colecao.Tabela().IndexName(), QStringLiteral("INome"));
}

TEST_F(TColecaoTest, WriteThroughOnCommitsEveryPostOffCommitsWhenTurnedBackOn)
{
    TColecaoDeTeste colecao;
    colecao.Inclui(QStringLiteral("1"), QStringLiteral("001"));
    EXPECT_EQ(LinhasConfirmadas("Teste"), 1);

    colecao.SetGravarEmDisco(false);
    colecao.Inclui(QStringLiteral("1"), QStringLiteral("002"));
    colecao.Inclui(QStringLiteral("1"), QStringLiteral("003"));
    EXPECT_EQ(colecao.Quantidade(), 3);
    EXPECT_EQ(LinhasConfirmadas("Teste"), 1);

    colecao.SetGravarEmDisco(true);
    EXPECT_EQ(LinhasConfirmadas("Teste"), 3);
}

TEST_F(TColecaoTest, ClosingCommitsWritesHeldBack)
{
    {
        TColecaoDeTeste colecao;
        colecao.SetGravarEmDisco(false);
        colecao.Novo(QStringLiteral("1"), QStringLiteral("001"));   // pending edit: posted on closing
        colecao.Fecha();
        EXPECT_TRUE(colecao.GetGravarEmDisco());
    }
    EXPECT_EQ(LinhasConfirmadas("Teste"), 1);
    {
        TColecaoDeTeste colecao;
        colecao.SetGravarEmDisco(false);
        colecao.Inclui(QStringLiteral("1"), QStringLiteral("002"));
    }   // the destructor closes
    EXPECT_EQ(LinhasConfirmadas("Teste"), 2);
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

TEST_F(TColecaoTest, AFailedWriteRaises141AndWritesNothing)
{
    TColecaoDeTeste colecao;
    colecao.Inclui(QStringLiteral("1"), QStringLiteral("001"));
    colecao.Novo(QStringLiteral("1"), QStringLiteral("002"));
    colecao.Tabela().Database()->FalhaNaProximaEscrita();
    try {
        colecao.Grava();
        FAIL() << "no error";
    } catch (const EColecaoError& e) {
        EXPECT_EQ(e.Codigo(), 141);
        EXPECT_TRUE(e.Parametro().startsWith(QStringLiteral("Teste.db. Erro Retornado: ")))
            << e.Parametro().toStdString();
    }
    EXPECT_EQ(LinhasConfirmadas("Teste"), 1);
    colecao.Grava();   // the row is still there to be written
    EXPECT_EQ(LinhasConfirmadas("Teste"), 2);
}

TEST_F(TColecaoTest, TheDestructorShowsAFailedClosingInsteadOfThrowing)
{
    {
        TColecaoDeTeste colecao;
        colecao.Novo(QStringLiteral("1"), QStringLiteral("001"));
        colecao.Tabela().Database()->FalhaNaProximaEscrita();
    }
    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{141});
    EXPECT_EQ(LinhasConfirmadas("Teste"), 0);
}

TEST_F(TColecaoTest, TheDestructorGoesOnWhenShowingTheFailureFailsToo)
{
    dialogos.AoMostrar([](const TMensagemDialogo&) { throw std::runtime_error("no screen"); });
    {
        TColecaoDeTeste colecao;
        colecao.Novo(QStringLiteral("1"), QStringLiteral("001"));
        colecao.Tabela().Database()->FalhaNaProximaEscrita();
    }
    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{141});
    EXPECT_EQ(LinhasConfirmadas("Teste"), 0);
}

TEST_F(TColecaoTest, OpeningFailuresRaise142OrTheDiskSpaceError)
{
    class TSemEsquema final : public TColecaoDe<TLinha> {
    public:
        TSemEsquema()
        {
            CriaTabelaColecao(QStringLiteral("Ausente.db"));
            AbreTabelaColecao();
        }
        void LeRegistro(TLinha&) override {}
    };
    try {
        TSemEsquema colecao;
        FAIL() << "no error";
    } catch (const EDadosError& e) {
        EXPECT_EQ(e.Codigo(), 142);
        EXPECT_TRUE(e.Parametro().startsWith(QStringLiteral("Ausente.db.  Erro Retornado: ")))
            << e.Parametro().toStdString();
    }

    const TEspacoEmDisco::Simulacao cheio(EspacoMinimoEmDisco - 1);
    EXPECT_THROW(TColecaoDeTeste colecao, EEspacoEmDiscoError);
}

TEST_F(TColecaoTest, NavigationReadsTheRowItReachesAndLeavesAnEmptyTableAlone)
{
    TColecaoDeTeste colecao;
    TLinha linha{QStringLiteral("-"), QStringLiteral("-")};
    colecao.PrimeiroRegistro(linha);
    colecao.UltimoRegistro(linha);
    colecao.ProximoRegistro(linha);
    EXPECT_EQ(linha.Chave, QStringLiteral("-"));
    EXPECT_TRUE(colecao.EstaVazia());

    colecao.Inclui(QStringLiteral("1"), QStringLiteral("001"), QStringLiteral("a"));
    colecao.Inclui(QStringLiteral("1"), QStringLiteral("002"), QStringLiteral("b"));
    colecao.Inclui(QStringLiteral("1"), QStringLiteral("003"), QStringLiteral("c"));
    EXPECT_FALSE(colecao.EstaVazia());
    colecao.PrimeiroRegistro(linha);
    EXPECT_EQ(linha.Nome, QStringLiteral("a"));
    colecao.ProximoRegistro(linha);
    EXPECT_EQ(linha.Nome, QStringLiteral("b"));
    colecao.UltimoRegistro(linha);
    EXPECT_EQ(linha.Nome, QStringLiteral("c"));
    colecao.ProximoRegistro(linha);   // at the end: the last row again
    EXPECT_EQ(linha.Nome, QStringLiteral("c"));
    colecao.AnteriorRegistro(linha);
    EXPECT_EQ(linha.Nome, QStringLiteral("b"));
}

TEST_F(TColecaoTest, ClearingTheFilterShowsEveryRowAgain)
{
    TColecaoDeTeste colecao;
    colecao.Inclui(QStringLiteral("1"), QStringLiteral("001"));
    colecao.Inclui(QStringLiteral("2"), QStringLiteral("001"));
    colecao.Inclui(QStringLiteral("2"), QStringLiteral("002"));
    colecao.FiltraGrupo(QStringLiteral("2"));
    EXPECT_TRUE(colecao.Filtrado());
    EXPECT_EQ(colecao.Quantidade(), 2);
    colecao.LimpaFiltro();
    EXPECT_FALSE(colecao.Filtrado());
    EXPECT_TRUE(colecao.Tabela().dvFilter().isEmpty());
    EXPECT_EQ(colecao.Quantidade(), 3);
    colecao.Primeiro();
    colecao.Exclui();
    EXPECT_EQ(colecao.Quantidade(), 2);
}

TEST_F(TColecaoTest, ARestrictedTableShowsTheFirstRowOfItsRangeThatPassesItsFilter)
{
    TColecaoDeTeste colecao;
    colecao.Inclui(QStringLiteral("1"), QStringLiteral("001"), QStringLiteral("a"));
    colecao.Inclui(QStringLiteral("2"), QStringLiteral("001"), QStringLiteral("b"));
    colecao.Inclui(QStringLiteral("2"), QStringLiteral("002"), QStringLiteral("c"));
    colecao.Inclui(QStringLiteral("2"), QStringLiteral("003"), QStringLiteral("c"));
    TdvTable& tabela = colecao.Tabela();
    const auto nome = [&] { return tabela.FieldByName(QStringLiteral("NOME"))->AsString(); };
    const auto chave = [&] { return tabela.FieldByName(QStringLiteral("CHAVE"))->AsString(); };
    // Standing on a row that passes the new filter but is not the first that does.
    tabela.Last();
    ASSERT_EQ(chave(), QStringLiteral("003"));
    RestringeTabela(tabela, QString(), {QStringLiteral("2"), QStringLiteral("000")},
                    {QStringLiteral("2"), QStringLiteral("999")}, {QStringLiteral("NOME = c")});
    EXPECT_EQ(chave(), QStringLiteral("002"));
    EXPECT_FALSE(tabela.Bof());
    EXPECT_FALSE(tabela.Eof());
    tabela.Next();
    EXPECT_EQ(chave(), QStringLiteral("003"));
    tabela.Next();
    EXPECT_TRUE(tabela.Eof());
    EXPECT_EQ(tabela.RecordCount(), 2);

    // An edit under way is stored first; a range with no row passing leaves the table empty.
    tabela.First();
    tabela.Edit();
    tabela.FieldByName(QStringLiteral("NOME"))->SetAsString(QStringLiteral("d"));
    RestringeTabela(tabela, QString(), {QStringLiteral("1"), QStringLiteral("000")},
                    {QStringLiteral("1"), QStringLiteral("999")}, {QStringLiteral("NOME = c")});
    EXPECT_EQ(tabela.State(), dsBrowse);
    EXPECT_TRUE(tabela.IsEmpty());
    EXPECT_TRUE(tabela.Bof());
    EXPECT_TRUE(tabela.Eof());
    RestringeTabela(tabela, QStringLiteral("INome"), {}, {}, {QStringLiteral("GRUPO = 2")});
    EXPECT_EQ(nome(), QStringLiteral("b"));
    EXPECT_EQ(tabela.RecordCount(), 3);
    tabela.Next();
    EXPECT_EQ(nome(), QStringLiteral("c"));
    EXPECT_EQ(chave(), QStringLiteral("003"));
    tabela.Next();
    EXPECT_EQ(nome(), QStringLiteral("d"));

    // An index refused leaves the table readable, without its filter, on a row.
    EXPECT_THROW(RestringeTabela(tabela, QStringLiteral("INada"), {}, {}, {QStringLiteral("GRUPO = 1")}), EDadosError);
    EXPECT_TRUE(tabela.dvFilter().isEmpty());
    EXPECT_EQ(tabela.RecordCount(), 4);
    EXPECT_FALSE(tabela.Eof());
    EXPECT_EQ(nome(), QStringLiteral("d"));
}

TEST_F(TColecaoTest, TableRoutinesReportThroughTheirMessages)
{
    auto ausente = CriaTabela(QStringLiteral("Ausente.db"));
    EXPECT_FALSE(AbreTabela(*ausente));
    EXPECT_FALSE(ausente->Active());
    ASSERT_EQ(dialogos.Codigos(), std::vector<int>{-1});
    EXPECT_TRUE(dialogos.Textos().front().startsWith(
        QStringLiteral("Não foi possivel abrir a tabela Ausente.db.  Erro Retornado: ")));

    TColecaoDeTeste colecao;   // creates the table
    auto tabela = CriaTabela(QStringLiteral("teste.DB"));
    ASSERT_TRUE(AbreTabela(*tabela));
    tabela->Append();
    tabela->FieldByName(QStringLiteral("CHAVE"))->SetAsString(QStringLiteral("001"));
    tabela->Database()->FalhaNaProximaEscrita();
    try {
        GravaTabela(*tabela);
        FAIL() << "no error";
    } catch (const EDbError& e) {
        EXPECT_EQ(e.Codigo(), 141);
        EXPECT_TRUE(e.Parametro().startsWith(QStringLiteral("teste.DB. Erro Retornado: ")));
    }
    EXPECT_TRUE(GravaTabela(*tabela));
    EXPECT_EQ(LinhasConfirmadas("Teste"), 1);
    tabela->dvFilter() << QStringLiteral("CHAVE = 2");
    tabela->RefreshDvFilter();
    FechaTabela(*tabela);
    EXPECT_FALSE(tabela->Active());
    EXPECT_TRUE(tabela->dvFilter().isEmpty());
}

// The engine's cause, where it names one, is what tells the user that a retry needs space freed.
TEST_F(TColecaoTest, AFailedPackIsOfferedAgainUntilRefused)
{
    TColecaoDeTeste colecao;
    auto tabela = CriaTabela(QStringLiteral("Teste.db"));
    const struct {
        const char* caso;
        bool emLote;   // an open transaction: the database cannot be packed
        const char* texto;
    } casos[] = {
        {"in a transaction", true, "Não foi possível eliminar as exclusões da Tabela Teste.db.  Tentar Novamente?"},
        {"disk full", false,
         "Não foi possível eliminar as exclusões da Tabela Teste.db: o disco está cheio.  Tentar Novamente?"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        dialogos.Limpa();
        ASSERT_TRUE(AbreTabela(*tabela));
        colecao.SetGravarEmDisco(!c.emLote);
        FalhasDeDisco::Armada disco({0, c.emLote ? 0u : FalhasDeDisco::Escrita, true, true});
        dialogos.Responde(Resposta::Sim);
        dialogos.Responde(Resposta::Nao);
        CompactaTabela(*tabela);
        ASSERT_EQ(dialogos.Mensagens().size(), 2u);
        EXPECT_EQ(dialogos.Textos().front(), QString::fromUtf8(c.texto));
        EXPECT_FALSE(tabela->Active());
    }

    colecao.SetGravarEmDisco(true);
    dialogos.Limpa();
    ASSERT_TRUE(AbreTabela(*tabela));
    CompactaTabela(*tabela);
    EXPECT_TRUE(dialogos.Mensagens().empty());
    EXPECT_FALSE(tabela->Active());
}
