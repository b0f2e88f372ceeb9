#pragma once
#include <QTabWidget>

// Tabbed pages whose tab bar (a TTabBar) leaves the mouse wheel alone: the page shown changes by
// a click on a tab or by the keys only.
class TPageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TPageControl(QWidget* parent = nullptr);
};
