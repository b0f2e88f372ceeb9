#include "platform/widgets/keyboard/TEntradaDoCampo.h"

#include <QApplication>
#include <QEvent>
#include <QScopedValueRollback>
#include <QWidget>

bool TEntradaDoCampo::Chega(Qt::FocusReason motivo)
{
    if (motivo == Qt::PopupFocusReason)
        return false;
    // Still marked entered on an arrival of its own, the field was left unseen (hidden while a
    // question held the window): this is an entry all the same.
    if (FEntrou && !FSaindo && motivo != Qt::ActiveWindowFocusReason)
        FEntrou = false;
    if (FEntrou)
        return false;
    FEntrou = true;
    FMotivo = motivo;
    // Should no press come, the mark does not outlive the event that brought the focus.
    FCliqueDeEntrada = motivo == Qt::MouseFocusReason;
    if (FCliqueDeEntrada)
        QMetaObject::invokeMethod(
            &FCampo, [this] { FCliqueDeEntrada = false; }, Qt::QueuedConnection);
    return true;
}

bool TEntradaDoCampo::Sai(Qt::FocusReason motivo, const std::function<void()>& sai)
{
    if (motivo == Qt::PopupFocusReason || motivo == Qt::ActiveWindowFocusReason || !FEntrou)
        return true;
    {
        const QScopedValueRollback saindo(FSaindo, true);
        sai();
    }
    if (QApplication::focusWidget() == &FCampo)
        return false;   // the exit was refused and the focus taken back
    FEntrou = false;
    FCliqueDeEntrada = false;
    return true;
}

void TEntradaDoCampo::Evento(const QEvent& evento, const std::function<void()>& sai)
{
    if (evento.type() == QEvent::WindowActivate && FEntrou && FCampo.window()->focusWidget() != &FCampo)
        (void)Sai(Qt::OtherFocusReason, sai);
}
