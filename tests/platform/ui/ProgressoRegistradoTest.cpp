#include <gtest/gtest.h>

#include "platform/ui/ProgressoRegistrado.h"

TEST(IProgresso, KeepsThePositionInsideTheRange)
{
    ProgressoRegistrado progresso;
    progresso.DefineFaixa(0, 17);
    progresso.Avanca(2);
    progresso.Avanca(3);
    progresso.Avanca(40);
    progresso.DefinePosicao(-5);
    progresso.Completa();
    EXPECT_EQ(progresso.Posicoes(), (std::vector<int>{2, 5, 17, 0, 17}));
    progresso.DefineFaixa(10, 5);   // an inverted range collapses to its start
    EXPECT_EQ(progresso.Posicao(), 10);
    EXPECT_EQ(progresso.Maximo(), 10);
}
