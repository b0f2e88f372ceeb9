#include <gtest/gtest.h>

#include "support/ProgramaDeTeste.h"
#include "platform/files/TEspacoEmDisco.h"

TEST(TEspacoEmDisco, AnExistingFolderHasARealCount)
{
    EXPECT_GE(TEspacoEmDisco::Livre(ProgramaDeTeste::Pasta()), 0);
}

TEST(TEspacoEmDisco, AFolderNotYetMadeIsMeasuredOnTheVolumeAboveIt)
{
    const QString pasta = ProgramaDeTeste::Pasta();
    EXPECT_GE(TEspacoEmDisco::Livre(pasta + QStringLiteral("/DADOS/TEMP")), 0);
}

TEST(TEspacoEmDisco, SimulationsAnswerInsteadOfTheVolumeAndNest)
{
    const QString pasta = ProgramaDeTeste::Pasta();
    {
        TEspacoEmDisco::Simulacao cheio(56199);
        EXPECT_EQ(TEspacoEmDisco::Livre(pasta), 56199);
        {
            TEspacoEmDisco::Simulacao porPasta([](const QString& p) { return p == QStringLiteral("/a/X") ? -1 : 7; });
            EXPECT_EQ(TEspacoEmDisco::Livre(QStringLiteral("/a/X")), -1);
            EXPECT_EQ(TEspacoEmDisco::Livre(pasta), 7);
        }
        EXPECT_EQ(TEspacoEmDisco::Livre(pasta), 56199);
    }
    EXPECT_GE(TEspacoEmDisco::Livre(pasta), 0);
}
