#pragma once
#include <QTabWidget>

// Tabbed pages whose tab bar leaves the mouse wheel alone, as the program's combos do: the page
// shown changes by a click on a tab or by the keys, never by a wheel turned on its way over the
// window. The wheel goes on to the control beneath.
class TPageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TPageControl(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
};
