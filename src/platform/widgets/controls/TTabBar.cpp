#include "platform/widgets/controls/TTabBar.h"

#include <QWheelEvent>

TTabBar::TTabBar(QWidget* parent)
    : QTabBar(parent)
{}

void TTabBar::wheelEvent(QWheelEvent* e)
{
    e->ignore();
}
