#include "shell/common/TDialogoPrincipal.h"

#include "shell/common/ContextoAjuda.h"
#include "shell/common/PosicaoAssistente.h"
#include "shell/common/FonteFormulario.h"

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
