#include "shell/common/TAjudaContextual.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "shell/common/ContextoAjuda.h"
#include "shell/common/EstadoPrograma.h"
#include "shell/common/TFoAjuda.h"

bool TAjudaContextual::eventFilter(QObject* Objeto, QEvent* Evento)
{
    if (Evento->type() != QEvent::KeyPress)
        return false;
    const auto* tecla = static_cast<const QKeyEvent*>(Evento);
    if (tecla->key() != Qt::Key_F1 || tecla->modifiers() != Qt::NoModifier)
        return false;
    auto* controle = qobject_cast<QWidget*>(Objeto);
    if (!controle)
        return false;
    QWidget* janela = controle->window();
    if (qobject_cast<TFoAjuda*>(janela))
        return true;   // the help window is already what F1 would open
    const QWidget* foco = QApplication::focusWidget();
    EstadoPrograma::ContextoAjuda = ObtemHelpContext(foco ? foco : controle);
    // A drop-down list is no owner for the help: it closes at the next click.
    TFoAjuda::Mostra(EstadoPrograma::ContextoAjuda, janela->windowType() == Qt::Popup ? nullptr : janela);
    return true;
}
