#include <gtest/gtest.h>

#include "shell/common/PosicaoAssistente.h"

TEST(PosicaoAssistente, CentresAcrossTheMainWindowAndScalesTheDropByTheScreen)
{
    // Main window frame at (100, 50), 800 x 600, client 790 x 560; assistant 524 x 240.
    const QRect moldura(100, 50, 800, 600);
    EXPECT_EQ(PosicaoAssistente(moldura, QSize(790, 560), QSize(524, 240), 96), QPoint(233, 250));
    EXPECT_EQ(PosicaoAssistente(moldura, QSize(790, 560), QSize(524, 240), 120), QPoint(233, 290));
}
