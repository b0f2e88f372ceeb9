#include "platform/widgets/keyboard/SomenteLeitura.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

void MostraSomenteLeitura(QWidget& Campo, bool SomenteLeitura)
{
    QPalette paleta = Campo.palette();
    paleta.setColor(QPalette::Base,
                    SomenteLeitura ? paleta.color(QPalette::Button)
                                   : QApplication::palette(&Campo).color(QPalette::Base));
    Campo.setPalette(paleta);
    Campo.setFocusPolicy(SomenteLeitura ? Qt::ClickFocus : Qt::StrongFocus);
}
