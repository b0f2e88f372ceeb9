#include "platform/widgets/controls/TComboBox.h"

#include <QWheelEvent>

TComboBox::TComboBox(QWidget* parent)
    : QComboBox(parent)
{}

void TComboBox::wheelEvent(QWheelEvent* e)
{
    e->ignore();
}
