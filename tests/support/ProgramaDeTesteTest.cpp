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
