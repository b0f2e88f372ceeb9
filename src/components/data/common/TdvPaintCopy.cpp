#include "components/data/common/TdvPaintCopy.h"

#include <QVariant>

TdvPaintCopy::TdvPaintCopy(QObject* control)
    : FControl(control)
{
    if (FControl)
        FControl->setProperty(Property, FControl->property(Property).toInt() + 1);
}

TdvPaintCopy::~TdvPaintCopy()
{
    if (FControl)
        FControl->setProperty(Property, FControl->property(Property).toInt() - 1);
}
