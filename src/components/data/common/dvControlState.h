#pragma once
#include <QString>

class QMetaObject;
class QObject;

// Tests of a component's class and state, by class name along the ancestor chain (names
// compared without regard to case), so a class takes part by descending from the named one.

bool dvIsClass(const QMetaObject* metaObject, const QString& className);
// The control's parent descends from "TCustomGrid", or is the viewport of such a grid (a control
// placed over a cell).
bool dvIsParentCustomGrid(const QObject* control);
// The control's parent descends from "TdvDataInspector".
bool dvIsParentInspector(const QObject* control);
// Forms are never designed while the program runs.
bool dvIsDesigning(const QObject* control);
// Tells a form designer that the form changed: nothing to tell at run time.
void dvDesignerModified(const QObject* control);

// A grid that paints a picture of a control in a cell other than the one the control sits on
// marks the control for that time (TdvPaintCopy); the control then draws itself as a cell's
// content, without focus or frame.
bool dvIsPaintCopyState(const QObject* control);
// The control paints such a copy inside a data inspector.
bool dvIsPaintCopyInInspector(const QObject* control);
