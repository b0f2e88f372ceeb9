#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/ui/AtividadeRegistrada.h"
#include "platform/ui/TCursorOcupado.h"

TEST(TCursorOcupado, GivesTheCursorBackOnEveryWayOut)
{
    AtividadeRegistrada atividade;
    {
        TCursorOcupado externo;
        TCursorOcupado interno;
        EXPECT_EQ(atividade.Profundidade(), 2);
    }
    EXPECT_EQ(atividade.Profundidade(), 0);

    try {
        TCursorOcupado ocupado;
        throw std::runtime_error("falha no meio");
    } catch (const std::runtime_error&) {
        EXPECT_EQ(atividade.Profundidade(), 0);
    }
    EXPECT_EQ(atividade.VezesOcupado(), 3);
    EXPECT_EQ(atividade.TerminosSemInicio(), 0);
}

TEST(TCursorOcupado, WorksWithNothingInstalled)
{
    TCursorOcupado ocupado;   // headless default: nothing to show, nothing to fail
    SUCCEED();
}
