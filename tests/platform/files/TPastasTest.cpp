#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <gtest/gtest.h>

#include "support/ProgramaDeTeste.h"
#include "platform/files/TPastas.h"

TEST(TPastas, TheHomeVariableReplacesTheProgramFolder)
{
    const QString pasta = ProgramaDeTeste::Pasta();
    EXPECT_EQ(TPastas::Programa(), pasta);
    EXPECT_EQ(TPastas::Dados(), pasta + QStringLiteral("/DADOS"));
    EXPECT_EQ(TPastas::Temporaria(), pasta + QStringLiteral("/DADOS/TEMP"));
    EXPECT_EQ(TPastas::ErroImp(), pasta + QStringLiteral("/DADOS/ErroImp"));
}

TEST(TPastas, TheHomeVariableAlsoHoldsTheUsersSettingsAndPrintouts)
{
    const QString pasta = ProgramaDeTeste::Pasta();
    EXPECT_TRUE(TPastas::ProgramaDefinido());
    EXPECT_EQ(TPastas::Configuracao(), pasta + QStringLiteral("/config"));
    EXPECT_EQ(TPastas::Impressos(), pasta + QStringLiteral("/PDF"));

    qunsetenv("PRUV2003_HOME");
    EXPECT_FALSE(TPastas::ProgramaDefinido());
    const QByteArray antes = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(pasta + QStringLiteral("/xdg/")));
    EXPECT_EQ(TPastas::Configuracao(), pasta + QStringLiteral("/xdg"));
    qputenv("XDG_CONFIG_HOME", antes);
    EXPECT_FALSE(TPastas::Impressos().startsWith(pasta));
}

TEST(TPastas, TheProgramFolderHasNoTrailingSeparator)
{
    qputenv("PRUV2003_HOME", (ProgramaDeTeste::Pasta() + QStringLiteral("//")).toLocal8Bit());
    EXPECT_EQ(TPastas::Programa(), ProgramaDeTeste::Pasta());
}

TEST(TPastas, EachFolderTheVariableNamesIsTheProgramFolderAtOnce)
{
    const QString pasta = ProgramaDeTeste::Pasta();
    ASSERT_TRUE(QDir(pasta).mkpath(QStringLiteral("um/dois")));
    qputenv("PRUV2003_HOME", QFile::encodeName(pasta + QStringLiteral("/um")));
    EXPECT_EQ(TPastas::Dados(), pasta + QStringLiteral("/um/DADOS"));
    qputenv("PRUV2003_HOME", QFile::encodeName(pasta + QStringLiteral("/um/dois")));
    EXPECT_EQ(TPastas::Dados(), pasta + QStringLiteral("/um/dois/DADOS"));

    // A relative one is taken from the working folder of the moment (as the system names it).
    const QString real = QDir(pasta).canonicalPath();
    const QString antes = QDir::currentPath();
    qputenv("PRUV2003_HOME", "dois");
    ASSERT_TRUE(QDir::setCurrent(pasta + QStringLiteral("/um")));
    EXPECT_EQ(TPastas::Programa(), real + QStringLiteral("/um/dois"));
    ASSERT_TRUE(QDir::setCurrent(pasta));
    EXPECT_EQ(TPastas::Programa(), real + QStringLiteral("/dois"));
    QDir::setCurrent(antes);
    qputenv("PRUV2003_HOME", QFile::encodeName(pasta));
    EXPECT_EQ(TPastas::Programa(), pasta);
}

// The executable's folder is the test's own, whoever runs the tests and owns the build.
TEST(TPastas, WithoutTheVariableAWritableExecutableFolderIsTheProgramFolder)
{
    const QString executavel = ProgramaDeTeste::Pasta() + QStringLiteral("/bin");
    ASSERT_TRUE(QDir().mkpath(executavel));
    const TPastas::SimulacaoExecutavel simulacao(executavel + QLatin1Char('/'));
    qunsetenv("PRUV2003_HOME");
    EXPECT_EQ(TPastas::Programa(), executavel);
}

TEST(TPastas, CriaMakesTheDataFolders)
{
    ASSERT_TRUE(TPastas::Cria());
    EXPECT_TRUE(QFileInfo(TPastas::Temporaria()).isDir());
    EXPECT_TRUE(QFileInfo(TPastas::ErroImp()).isDir());
}

TEST(TPastas, CriaFailsWhenTheProgramFolderCannotHoldThem)
{
    QFile arquivo(ProgramaDeTeste::Pasta() + QStringLiteral("/DADOS"));   // a file where the folder should be
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    arquivo.close();
    EXPECT_FALSE(TPastas::Cria());
}

namespace {

// Shipped files are looked for beside the program, here a folder of the test's own standing for
// the executable's: what a case puts there goes with the test's folder.
struct RecursosDeTeste {
    QDir Executavel{ProgramaDeTeste::Pasta() + QStringLiteral("/bin")};
    bool Criada = Executavel.mkpath(QStringLiteral("."));
    TPastas::SimulacaoExecutavel Simulacao{Executavel.path()};
    QStringList Criados;

    ~RecursosDeTeste()
    {
        for (auto c = Criados.crbegin(); c != Criados.crend(); ++c)
            QFileInfo(*c).isDir() ? QDir(*c).removeRecursively() : QFile::remove(*c);
    }
    void Arquivo(const QString& caminho)
    {
        QFile arquivo(Executavel.filePath(caminho));
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
        Criados << arquivo.fileName();
    }
    void Pasta(const QString& caminho)
    {
        if (Executavel.exists(caminho))
            return;   // not ours to remove
        ASSERT_TRUE(Executavel.mkpath(caminho));
        Criados << Executavel.filePath(caminho);
    }
};

}   // namespace

TEST(TPastas, AShippedFileIsLookedForInResourcesFirstThenBesideTheExecutable)
{
    const QString nome = QStringLiteral("recurso-%1.txt").arg(QCoreApplication::applicationPid());
    const QString pasta = QStringLiteral("ajuda-%1").arg(QCoreApplication::applicationPid());
    RecursosDeTeste recursos;
    EXPECT_EQ(TPastas::Recurso(nome), QString());

    recursos.Arquivo(nome);
    EXPECT_EQ(TPastas::Recurso(nome), recursos.Executavel.filePath(nome));
    recursos.Pasta(QStringLiteral("resources"));
    recursos.Arquivo(QStringLiteral("resources/") + nome);
    EXPECT_EQ(TPastas::Recurso(nome), recursos.Executavel.filePath(QStringLiteral("resources/") + nome));

    // A folder is no file, and a file no folder.
    recursos.Pasta(QStringLiteral("resources/") + pasta);
    EXPECT_EQ(TPastas::Recurso(pasta), QString());
    EXPECT_EQ(TPastas::PastaRecurso(pasta), recursos.Executavel.filePath(QStringLiteral("resources/") + pasta));
    EXPECT_EQ(TPastas::PastaRecurso(nome), QString());
}
