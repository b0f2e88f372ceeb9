#pragma once
#include <QObject>

class QMenu;

// A letter typed in a menu reaches the enabled items that bear it: the one enabled item is
// chosen (a submenu opens), several are highlighted in turn. Qt's menu counts the disabled items
// too, so that a letter one of them shares highlights nothing, press it as often as one may.
class TLetrasDeMenu final : public QObject {
    Q_OBJECT
public:
    // The menu owns what it is given.
    static void Instala(QMenu& menu);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    using QObject::QObject;
};
