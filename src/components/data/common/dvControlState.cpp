#include "components/data/common/dvControlState.h"

#include <QMetaObject>
#include <QObject>
#include <QVariant>

#include "components/data/common/TdvPaintCopy.h"

bool dvIsClass(const QMetaObject* metaObject, const QString& className)
{
    for (const QMetaObject* m = metaObject; m; m = m->superClass())
        if (className.compare(QLatin1String(m->className()), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

namespace {

bool ParentIs(const QObject* control, const char* className)
{
    const QObject* pai = control ? control->parent() : nullptr;
    if (!pai)
        return false;
    if (dvIsClass(pai->metaObject(), QLatin1String(className)))
        return true;
    // A control placed over a grid's cell lies in the grid's viewport, inside the grid.
    return pai->objectName() == QLatin1String("qt_scrollarea_viewport") && pai->parent()
        && dvIsClass(pai->parent()->metaObject(), QLatin1String(className));
}

}   // namespace

bool dvIsParentCustomGrid(const QObject* control)
{
    return ParentIs(control, "TCustomGrid");
}

bool dvIsParentInspector(const QObject* control)
{
    return ParentIs(control, "TdvDataInspector");
}

bool dvIsDesigning(const QObject*)
{
    return false;
}

void dvDesignerModified(const QObject*) {}

bool dvIsPaintCopyState(const QObject* control)
{
    return control && control->property(TdvPaintCopy::Property).toInt() > 0;
}

bool dvIsPaintCopyInInspector(const QObject* control)
{
    return dvIsParentInspector(control) && dvIsPaintCopyState(control);
}
