#include "platform/widgets/keyboard/AtalhoDaJanela.h"

#include <QKeySequence>
#include <QString>
#include <QWidget>

// QtGui's entry to its shortcut map for a key not typed at the system's keyboard: the one the
// platform's own key events go through first.
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k, Qt::KeyboardModifiers mods,
                                               const QString& text, bool autorep, ushort count);

bool OfereceAosAtalhos(QWidget& controle, int tecla, Qt::KeyboardModifiers modificadores)
{
    // Offered to the window, whose controls' shortcuts are asked for: the control itself would
    // keep a key it edits with.
    const QString texto = QKeySequence(tecla).toString().toLower();
    return qt_sendShortcutOverrideEvent(controle.window(), 0, tecla, modificadores, texto, false, 1);
}
