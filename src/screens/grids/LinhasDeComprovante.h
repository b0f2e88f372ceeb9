#pragma once
#include "platform/widgets/grid/TCustomGrid.h"

// A statement grid shows one row per line after its title rows, and only when it has a line
// (the grid needs one row past the titles all the same).
inline void AjustaLinhasDeComprovante(TCustomGrid& grade, int linhas)
{
    grade.SetRowCount(grade.FixedRows() + std::max(1, linhas));
    grade.setVisible(linhas > 0);
}
