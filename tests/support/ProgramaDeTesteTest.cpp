#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "ProgramaDeTeste.h"

TEST(ProgramaDeTeste, EachCaseGetsAnEmptyFolderOfItsOwn)
{
    const QString pasta = ProgramaDeTeste::Pasta();
    EXPECT_EQ(qEnvironmentVariable("PRUV2003_HOME"), pasta);
    EXPECT_TRUE(QDir(pasta).isEmpty());
    QFile marca(pasta + QStringLiteral("/marca"));
    ASSERT_TRUE(marca.open(QIODevice::WriteOnly));
}

TEST(ProgramaDeTeste, TheNextCaseDoesNotSeeTheLastOnesFiles)
{
    EXPECT_FALSE(QFile::exists(ProgramaDeTeste::Pasta() + QStringLiteral("/marca")));
}

// Under ctest every case runs with the environment the build declares for the tests; the marker
// comes first in that list, so that a list cut after its first entry shows here. Run by hand,
// without the marker, there is nothing to look at.
TEST(ProgramaDeTeste, CtestGivesEveryCaseTheDeclaredEnvironment)
{
    if (!qEnvironmentVariableIsSet("PRUV2003_AMBIENTE_DE_TESTE"))
        GTEST_SKIP() << "not run by ctest";
    const struct {
        const char* nome;
        const char* valor;
    } declaradas[] = {
        {"LANG", "C.UTF-8"},         {"LC_ALL", "C.UTF-8"}, {"TZ", "UTC"}, {"QT_QPA_PLATFORM", "offscreen"},
        {"PRUV2003_NO_SPLASH", "1"},
    };
    for (const auto& v : declaradas)
        EXPECT_EQ(qEnvironmentVariable(v.nome).toStdString(), v.valor) << v.nome;
}
