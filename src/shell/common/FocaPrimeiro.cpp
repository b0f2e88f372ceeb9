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

void FocaFicha(QWidget* Ficha)
{
    QWidget* foco = Ficha ? Ficha->window()->focusWidget() : nullptr;
    if (!Ficha || !Ficha->isVisible() || (foco && Ficha->isAncestorOf(foco)))
        return;
    for (QWidget* w = Ficha->nextInFocusChain(); w != Ficha && Ficha->isAncestorOf(w); w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() && !w->focusProxy()) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}
