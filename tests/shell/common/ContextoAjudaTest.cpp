#include <QPushButton>
#include <gtest/gtest.h>

#include "shell/common/ContextoAjuda.h"

TEST(ObtemHelpContext, FromTheControlOrItsNearestParent)
{
    QWidget janela;
    auto* painel = new QWidget(&janela);
    auto* botao = new QPushButton(painel);
    EXPECT_EQ(ObtemHelpContext(botao), 10000);
    DefineHelpContext(janela, 12600);
    EXPECT_EQ(ObtemHelpContext(botao), 12600);
    DefineHelpContext(*painel, 300);
    EXPECT_EQ(ObtemHelpContext(botao), 300);
    DefineHelpContext(*botao, 7);
    EXPECT_EQ(ObtemHelpContext(botao), 7);
    QObject naoJanela;
    EXPECT_EQ(ObtemHelpContext(&naoJanela), 10000);
    EXPECT_EQ(ObtemHelpContext(nullptr), 10000);
}
