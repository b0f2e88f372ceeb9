#include "platform/widgets/controls/TPageControl.h"

#include "platform/widgets/controls/TTabBar.h"

TPageControl::TPageControl(QWidget* parent)
    : QTabWidget(parent)
{
    setTabBar(new TTabBar(this));   // the tab widget takes it over
}
