#pragma once
#include <QList>

#include "components/controls/edits/IdvEditGrid.h"
#include "platform/widgets/grid/TCustomGrid.h"

// A platform grid (the edits know by its class that they edit a cell) taking the keys its cell
// editor hands it. Records what it is given.
class GradeDeTeste : public TCustomGrid, public IdvEditGrid {
    Q_OBJECT
public:
    using TCustomGrid::TCustomGrid;

    bool tabs = false;
    bool editorSempre = false;
    QList<int> teclas;       // handled by the grid
    QList<int> informadas;   // reported to its OnKeyDown

    bool TabsToGrid() const override { return tabs; }
    bool AlwaysShowEditor() const override { return editorSempre; }
    void GridKeyDown(int key, Qt::KeyboardModifiers) override { teclas << key; }
    void ReportKeyDown(int key, Qt::KeyboardModifiers) override { informadas << key; }
};
