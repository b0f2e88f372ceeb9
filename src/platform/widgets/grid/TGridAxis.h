#pragma once
#include <vector>

// One axis of a grid (the columns across or the rows down) and the arithmetic of placing its
// cells: each cell has its extent in pixels and a line of LineWidth after it; the leading
// FixedCount cells never scroll; First is the first scrolling cell shown after them.
// Positions are client pixels from the grid's left or top edge.
struct TGridAxis {
    std::vector<int> Extents;
    int FixedCount = 0;
    int First = 0;
    int LineWidth = 0;

    [[nodiscard]] int Count() const { return static_cast<int>(Extents.size()); }
    // Where the scrolling cells begin: the fixed cells with their lines.
    [[nodiscard]] int FixedBoundary() const;
    // Start of a cell, -1 when it is scrolled out or begins at or beyond clientExtent.
    [[nodiscard]] int CellStart(int cell, int clientExtent) const;
    // The last scrolling cell shown whole (its line may be cut); First at least, even when
    // not even that one fits.
    [[nodiscard]] int LastFullVisible(int clientExtent) const;
    // The last cell of which anything shows.
    [[nodiscard]] int LastVisible(int clientExtent) const;
    // Scrolling cells shown whole: LastFullVisible - First + 1.
    [[nodiscard]] int VisibleCount(int clientExtent) const;
    // The cell under a position (the line after a cell counts as the cell's), -1 beyond the
    // last cell or outside.
    [[nodiscard]] int CellAt(int position, int clientExtent) const;
    // The largest First that still shows the last cell whole.
    [[nodiscard]] int MaxFirst(int clientExtent) const;
    // The end of the drawn cells (after the last visible cell's line), at most clientExtent.
    [[nodiscard]] int GridBoundary(int clientExtent) const;
};
