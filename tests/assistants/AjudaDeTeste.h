#pragma once
#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "shell/common/TFoAjuda.h"

// Presses F1 in the assistant, shown and active as the user has it; answers the context of the
// help window it opened (0 when none), after checking that the window belongs to the assistant
// (a modal assistant would block any other) and that Escape closes it.
inline int ContextoDoF1(QWidget& assistente)
{
    assistente.show();
    QApplication::setActiveWindow(&assistente);
    QTest::keyClick(&assistente, Qt::Key_F1);
    TFoAjuda* ajuda = TFoAjuda::Aberta();
    if (!ajuda || !ajuda->isVisible())
        return 0;
    EXPECT_EQ(ajuda->parentWidget(), &assistente);
    const int contexto = ajuda->Contexto();
    QApplication::setActiveWindow(ajuda);
    QTest::keyClick(ajuda, Qt::Key_Escape);
    EXPECT_FALSE(ajuda->isVisible());
    EXPECT_TRUE(assistente.isVisible()) << "Escape closes the help, not the assistant";
    return contexto;
}
