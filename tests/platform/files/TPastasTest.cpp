#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <gtest/gtest.h>

#include "support/ProcessoLimitado.h"
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

// What keeps the data folders from being made is told in words, naming the folder that stood in
// the way: a data folder that exists but lets this user in no further is not "to be made".
TEST(TPastas, CriaFailsWhenTheProgramFolderCannotHoldThemAndSaysWhy)
{
    constexpr int Outro = 65534;
    const QString semOutro = ProgramaDeTeste::AbreAOutroUsuario(Outro);
    const struct {
        const char* caso;
        int usuario;
        const char* falha;   // after the program folder
    } casos[] = {
        {"a file where the data folder should be", -1, "não foi possível criar a pasta %1/DADOS: "},
        {"a data folder of another user's, closed", Outro,
         "não foi possível usar a pasta %1/DADOS: o acesso à pasta ou ao arquivo foi negado"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        if (c.usuario >= 0 && !semOutro.isEmpty())
            continue;
        const QString pasta = ProgramaDeTeste::Pasta();
        QDir(TPastas::Dados()).removeRecursively();
        QFile::remove(TPastas::Dados());
        if (c.usuario < 0) {
            QFile arquivo(TPastas::Dados());
            ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
        } else {
            ASSERT_TRUE(TPastas::Cria());
            ASSERT_TRUE(QFile::setPermissions(
                TPastas::Dados(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
        }
        const QString esperada = QString::fromUtf8(c.falha).arg(pasta);
        const int saida = NoProcessoLimitado(
            [&esperada] {
                QString falha;
                if (TPastas::Cria(falha))
                    return 1;
                return falha.startsWith(esperada) ? 0 : 2;
            },
            c.usuario);
        EXPECT_EQ(saida, 0) << "1: made; 2: not told in these words: " << esperada.toStdString();
    }
    if (!semOutro.isEmpty())
        GTEST_SKIP() << "another user's data folder not tried: " << semOutro.toStdString();
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
