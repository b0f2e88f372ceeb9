#include <QFile>
#include <gtest/gtest.h>

#include "model/PruvDeTeste.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TTransacao.h"
#include "shell/CopiasDeTeste.h"
#include "shell/backup/TCopiaBanco.h"
#include "support/FalhasDeDisco.h"

namespace {

class TCopiaBancoTest : public PruvDeTeste {
protected:
    const QString copia = TPastas::Temporaria() + QStringLiteral("/copia.db");

    // A database file of its own beside the snapshot, made by the statements.
    static QString Banco(const char* nome, std::initializer_list<const char*> comandos)
    {
        const QString arquivo = TPastas::Temporaria() + QLatin1Char('/') + QLatin1String(nome);
        TDatabase banco(arquivo);
        for (const char* sql : comandos)
            banco.Escreve(QLatin1String(sql));
        return arquivo;
    }
};

}   // namespace

TEST_F(TCopiaBancoTest, ASnapshotRestoredOverLaterChangesBringsItsRowsBack)
{
    auto matriz = Armazenada(Matriz);
    Item(*matriz, *matriz, "0561", CpfBeneficiario);
    Armazenada(Filial);
    TCopiaBanco::Instantaneo(TPastas::Dados(), copia);
    EXPECT_TRUE(TCopiaBanco::Confere(copia).Boa());
    EXPECT_EQ(TCopiaBanco::ContaLinhas(copia, QStringLiteral("PRUV.DB")), 2);

    Armazenada(Outra);
    colecao->Exclui(*matriz);
    ASSERT_EQ(Linhas("PruvItem"), 0);
    colecao.reset();
    // The program's connection stays open across the restore, as the main window keeps it.
    const auto banco = TDatabase::DaPasta(DiretorioDados());
    ASSERT_TRUE(banco->Comando(QStringLiteral("SELECT PRUV_DK FROM Pruv")).Passo());   // a read left on its row
    TCopiaBanco::Restaura(copia, DiretorioDados());

    EXPECT_EQ(Linhas("Pruv"), 2);
    EXPECT_EQ(Linhas("PruvItem"), 1);
    colecao = std::make_unique<TColecaoPruv>();
    EXPECT_TRUE(colecao->Localiza(*Nova(Matriz)));
    EXPECT_FALSE(colecao->Localiza(*Nova(Outra)));
}

// A backup made before the search's indexes and the index of the items by owner is restored with
// them, its rows as they were; the index of names is checked in the names' order.
TEST_F(TCopiaBancoTest, ABackupMadeBeforeTheSearchIndexesIsRestoredWithThem)
{
    auto matriz = Armazenada(Matriz);
    Item(*matriz, *matriz, "0561", CpfBeneficiario);
    TCopiaBanco::Instantaneo(TPastas::Dados(), copia);
    const auto indices = [](const QString& arquivo) {
        TDatabase banco(arquivo);
        TComando c(banco.Conexao(),
                   QStringLiteral("SELECT count(*) FROM sqlite_schema WHERE type = 'index' AND "
                                  "name IN ('PruvItem$ICodBenefPruv', 'Benef$INome', 'PruvItem$IPruvDono')"));
        return c.Passo() ? c.Inteiro(0) : -1;
    };
    ASSERT_EQ(indices(copia), 3);
    {
        TDatabase antiga(copia);
        antiga.Escreve(QStringLiteral("DROP INDEX \"PruvItem$IPruvDono\""));
        antiga.Escreve(QStringLiteral("DROP INDEX \"PruvItem$ICodBenefPruv\""));
        antiga.Escreve(QStringLiteral("DROP INDEX \"Benef$INome\""));
    }
    ASSERT_EQ(indices(copia), 0);
    Armazenada(Filial);
    colecao.reset();

    EXPECT_TRUE(TCopiaBanco::PreparaRestauracao(copia).Boa());
    EXPECT_EQ(indices(copia), 3);
    TCopiaBanco::Restaura(copia, DiretorioDados());
    EXPECT_EQ(indices(TCopiaBanco::ArquivoDaPasta(DiretorioDados())), 3);
    EXPECT_EQ(Linhas("Pruv"), 1);
    EXPECT_EQ(Linhas("PruvItem"), 1);
    EXPECT_EQ(Linhas("Benef"), 1);
}

TEST_F(TCopiaBancoTest, RefusesAFileThatIsNotASoundDatabaseOfTheProgram)
{
    Armazenada(Matriz);
    TCopiaBanco::Instantaneo(TPastas::Dados(), copia);
    QFile texto(TPastas::Temporaria() + QStringLiteral("/texto.db"));
    ASSERT_TRUE(texto.open(QIODevice::WriteOnly));
    texto.write(QByteArray(8192, 'x'));
    texto.close();
    QByteArray paginas = Conteudo(copia);
    paginas.replace(paginas.size() / 2, 512, QByteArray(512, '\x7f'));
    QFile estragado(TPastas::Temporaria() + QStringLiteral("/estragado.db"));
    ASSERT_TRUE(estragado.open(QIODevice::WriteOnly));
    estragado.write(paginas);
    estragado.close();

    using TSituacao = TCopiaBanco::TConferencia::TSituacao;
    const struct {
        const char* caso;
        QString arquivo;
        TSituacao situacao;
    } casos[] = {
        {"missing", TPastas::Temporaria() + QStringLiteral("/nenhum.db"), TSituacao::Ausente},
        {"not a database", texto.fileName(), TSituacao::Danificada},
        {"damaged pages", estragado.fileName(), TSituacao::Danificada},
        {"no declarations table", Banco("outra.db", {"CREATE TABLE Clientes (NOME TEXT)"}), TSituacao::Alheia},
        {"a column missing", Banco("velha.db", {"CREATE TABLE Pruv (PRUV_DK TEXT)"}), TSituacao::Alheia},
        {"a trigger",
         Banco(
             "gatilho.db",
             {"CREATE TABLE Pruv (PRUV_DK TEXT)", "CREATE TRIGGER t AFTER INSERT ON Pruv BEGIN DELETE FROM Pruv; END"}),
         TSituacao::Alheia},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        const TCopiaBanco::TConferencia conferencia = TCopiaBanco::Confere(c.arquivo);
        EXPECT_EQ(conferencia.Situacao, c.situacao);
        EXPECT_FALSE(conferencia.Motivo.isEmpty());
    }
}

TEST_F(TCopiaBancoTest, ARestoreThatCannotRunLeavesTheLiveDataAsTheyWere)
{
    Armazenada(Matriz);
    TCopiaBanco::Instantaneo(TPastas::Dados(), copia);
    Armazenada(Filial);
    colecao.reset();
    const auto banco = TDatabase::DaPasta(DiretorioDados());
    {
        TTransacao aberta(*banco);   // a write the program has not finished
        EXPECT_THROW(TCopiaBanco::Restaura(copia, DiretorioDados()), EDatabaseError);
    }
    EXPECT_THROW(TCopiaBanco::Restaura(TPastas::Temporaria() + QStringLiteral("/nenhum.db"), DiretorioDados()),
                 EDatabaseError);
    EXPECT_EQ(Linhas("Pruv"), 2);
}

TEST_F(TCopiaBancoTest, AFailureOfTheDiskAtAnyOperationOfABackupOrARestoreLeavesTheDataAsTheyWere)
{
    auto matriz = Armazenada(Matriz);
    Item(*matriz, *matriz, "0561", CpfBeneficiario);
    const QString live = TCopiaBanco::ArquivoDaPasta(DiretorioDados());
    const QString comUma = FalhasDeDisco::Conteudo(live);
    const auto operacoes = FalhasDeDisco::Escrita | FalhasDeDisco::Sincronia | FalhasDeDisco::Truncagem;

    // The snapshot: no file where it failed, the live data untouched.
    int falhas = FalhasDeDisco::PorCadaOperacao(
        operacoes, [&] { TCopiaBanco::Instantaneo(TPastas::Dados(), copia); },
        [&](int) {
            EXPECT_FALSE(QFile::exists(copia));
            EXPECT_EQ(FalhasDeDisco::Conteudo(live), comUma);
        });
    EXPECT_GE(falhas, 2);
    EXPECT_EQ(FalhasDeDisco::Conteudo(copia), comUma);

    // The restore over later changes: the live data exactly as before it, or as the snapshot.
    Armazenada(Filial);
    colecao.reset();
    const QString comDuas = FalhasDeDisco::Conteudo(live);
    falhas = FalhasDeDisco::PorCadaOperacao(
        operacoes, [&] { TCopiaBanco::Restaura(copia, DiretorioDados()); },
        [&](int) { EXPECT_EQ(FalhasDeDisco::Conteudo(live), comDuas); });
    EXPECT_GE(falhas, 2);
    EXPECT_EQ(FalhasDeDisco::Conteudo(live), comUma);
}

TEST_F(TCopiaBancoTest, ACurrentFileThatCannotBeReadIsReplacedWhole)
{
    Armazenada(Matriz);
    TCopiaBanco::Instantaneo(TPastas::Dados(), copia);
    colecao.reset();
    const QString atual = TCopiaBanco::ArquivoDaPasta(DiretorioDados());
    for (const QString& arquivo : {atual, atual + QStringLiteral("-journal")}) {
        // The damaged file, and a journal of its own that must not be played into the copy.
        QFile f(arquivo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(8192, 'x'));
    }
    ASSERT_THROW(TDatabase::DaPasta(DiretorioDados()), EDBEngineError);

    TCopiaBanco::Restaura(copia, DiretorioDados());
    EXPECT_TRUE(TCopiaBanco::Confere(atual).Boa());
    EXPECT_EQ(Linhas("Pruv"), 1);
    EXPECT_FALSE(QFileInfo::exists(atual + QStringLiteral("-journal")));
    EXPECT_FALSE(QFileInfo::exists(atual + QStringLiteral(".restaurado")));
}

// An old backup restored keeps the fund keys given since it was made: a key given once is not
// given again, whatever the restore brought back.
TEST_F(TCopiaBancoTest, AnOldBackupRestoredKeepsTheFundKeysGivenSince)
{
    // A backup made before the program kept the keys it gave holds no record of them at all.
    for (const bool semRegistro : {false, true}) {
        SCOPED_TRACE(semRegistro ? "a backup without the keys given" : "a backup with them");
        const QString declarante = semRegistro ? Filial : Matriz;
        auto pruv = Armazenada(declarante, "2002", 3);
        NovoAnexo(*pruv, Fundo, "", true);
        TCopiaBanco::Instantaneo(TPastas::Dados(), copia);
        if (semRegistro)
            TDatabase(copia).Escreve(QStringLiteral("DROP TABLE ChavesDadas"));
        auto depois = NovoAnexo(*pruv, NumeroDe("667778880001"), "", true);
        const int dada = depois->GetChave().toInt();
        ASSERT_EQ(dada, semRegistro ? 5 : 2);
        pruv->GetColecaoAnexo().Exclui(*depois);
        depois.reset();
        pruv.reset();
        colecao.reset();
        TCopiaBanco::Restaura(copia, DiretorioDados());

        colecao = std::make_unique<TColecaoPruv>();
        auto lida = Nova(declarante, "2002", 3);
        ASSERT_TRUE(colecao->Carrega(*lida));
        EXPECT_EQ(NovoAnexo(*lida, NumeroDe("778889990001"), "", true)->GetChave(),
                  QStringLiteral("%1").arg(dada + 1, 5, 10, QLatin1Char('0')));
    }
}
