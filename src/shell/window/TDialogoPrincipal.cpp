#include "shell/window/TDialogoPrincipal.h"

#include "model/gui/UtilJanelas.h"
#include "shell/assistant/PosicaoAssistente.h"
#include "shell/window/FonteFormulario.h"

TDialogoPrincipal::TDialogoPrincipal(const char* Nome, int Largura, int Altura, int HelpContext, QWidget* Dono)
    : QDialog(Dono)
{
    setObjectName(QLatin1String(Nome));
    setFixedSize(Largura, Altura);
    // A dialog border: a title and a close button, nothing that would resize it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(FonteFormulario());
    DefineHelpContext(*this, HelpContext);
}

void TDialogoPrincipal::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    if (FMostrado)
        return;
    FMostrado = true;
    PosicionaAssistente(*this);
    AoMostrar();
}
