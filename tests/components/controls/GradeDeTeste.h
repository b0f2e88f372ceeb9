#pragma once
#include <QList>
#include <QWidget>

#include "components/controls/IdvEditGrid.h"

// Stands in for the grid base: the library's edits know it by its class name, and take it as the
// grid they edit a cell of. Records what it is given.
class TCustomGrid : public QWidget, public IdvEditGrid {
    Q_OBJECT
public:
    using QWidget::QWidget;

    bool tabs = false;
    bool editorSempre = false;
    QList<int> teclas;       // handled by the grid
    QList<int> informadas;   // reported to its OnKeyDown

    bool TabsToGrid() const override { return tabs; }
    bool AlwaysShowEditor() const override { return editorSempre; }
    void GridKeyDown(int key, Qt::KeyboardModifiers) override { teclas << key; }
    void ReportKeyDown(int key, Qt::KeyboardModifiers) override { informadas << key; }
};
