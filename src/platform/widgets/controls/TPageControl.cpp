#include "platform/widgets/controls/TPageControl.h"

#include <QEvent>
#include <QTabBar>

TPageControl::TPageControl(QWidget* parent)
    : QTabWidget(parent)
{
    tabBar()->installEventFilter(this);
}

bool TPageControl::eventFilter(QObject* objeto, QEvent* evento)
{
    // Kept from the tab bar and left unaccepted, the wheel goes on to the bar's parents.
    if (objeto == tabBar() && evento->type() == QEvent::Wheel) {
        evento->ignore();
        return true;
    }
    return QTabWidget::eventFilter(objeto, evento);
}
