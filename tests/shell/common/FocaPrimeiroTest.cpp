#include <QLineEdit>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "shell/common/FocaPrimeiro.h"

TEST(FocaPrimeiro, TheFirstThatCanTakeTheFocus)
{
    QWidget janela;
    auto* layout = new QVBoxLayout(&janela);
    auto* oculto = new QLineEdit;
    auto* desabilitado = new QLineEdit;
    auto* semFoco = new QLineEdit;
    auto* bom = new QLineEdit;
    for (QWidget* w : {static_cast<QWidget*>(oculto), static_cast<QWidget*>(desabilitado),
                       static_cast<QWidget*>(semFoco), static_cast<QWidget*>(bom)})
        layout->addWidget(w);
    desabilitado->setEnabled(false);
    semFoco->setFocusPolicy(Qt::NoFocus);
    janela.show();
    oculto->hide();
    FocaPrimeiro(oculto, desabilitado, semFoco, bom);
    EXPECT_EQ(janela.focusWidget(), bom);
    FocaPrimeiro(nullptr, oculto, nullptr, nullptr);
    EXPECT_EQ(janela.focusWidget(), bom);
}
