#pragma once
#include <QTabBar>

// A tab bar that ignores the mouse wheel, as the program's combos do: a page is chosen with a
// click or the keys, never by a wheel turned on its way over the window. The wheel goes on to
// the control beneath.
class TTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit TTabBar(QWidget* parent = nullptr);

protected:
    void wheelEvent(QWheelEvent* e) override;
};
