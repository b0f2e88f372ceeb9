#pragma once
#include <QObject>

// F1 in any window of the program: the help of the focused control's context (its own, else
// its nearest parent's, the contents when none has one), which becomes the program's current
// help context. The main window's F1 is its menu command, which takes the key before it gets
// here; every other window (dialogs, assistants, the calculator, the search and pending-items
// windows, message boxes) is answered by this filter, installed on the application.
class TAjudaContextual final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* Objeto, QEvent* Evento) override;
};
