#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
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

TEST(TPastas, TheProgramFolderHasNoTrailingSeparator)
{
    qputenv("PRUV2003_HOME", (ProgramaDeTeste::Pasta() + QStringLiteral("//")).toLocal8Bit());
    EXPECT_EQ(TPastas::Programa(), ProgramaDeTeste::Pasta());
}

TEST(TPastas, WithoutTheVariableAWritableExecutableFolderIsTheProgramFolder)
{
    qunsetenv("PRUV2003_HOME");
    ASSERT_TRUE(QFileInfo(QCoreApplication::applicationDirPath()).isWritable());
    EXPECT_EQ(TPastas::Programa(), QDir::cleanPath(QCoreApplication::applicationDirPath()));
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
