#pragma once
#include <Qt>

// What an edit placed in the library's grid asks of the grid, which implements it: the keys
// that move between cells go to the grid instead of the edit.
class IdvEditGrid {
public:
    // Tab moves between the cells (goTabs in the grid's options).
    [[nodiscard]] virtual bool TabsToGrid() const = 0;
    // A published grid that keeps its editor shown (dgAlwaysShowEditor).
    [[nodiscard]] virtual bool AlwaysShowEditor() const = 0;
    // The grid handles the key as if it had been typed on it.
    virtual void GridKeyDown(int key, Qt::KeyboardModifiers shift) = 0;
    // The grid's OnKeyDown is told of a key the edit keeps.
    virtual void ReportKeyDown(int key, Qt::KeyboardModifiers shift) = 0;

protected:
    ~IdvEditGrid() = default;   // never deleted through this interface
};
