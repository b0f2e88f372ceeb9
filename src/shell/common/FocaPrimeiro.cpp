#include "shell/common/FocaPrimeiro.h"

#include <QWidget>

void FocaPrimeiro(QWidget* Primeiro, QWidget* Segundo, QWidget* Terceiro, QWidget* Quarto)
{
    for (QWidget* controle : {Primeiro, Segundo, Terceiro, Quarto}) {
        if (controle && controle->isVisible() && controle->isEnabled() && controle->focusPolicy() != Qt::NoFocus) {
            controle->setFocus();
            return;
        }
    }
}
