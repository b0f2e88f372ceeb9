#pragma once
#include <QList>
#include <QRect>

class QWidget;

// Tab follows what the eye reads: rows from top to bottom, each row from left to right; a box
// that holds controls is read whole, inside out, at its place in the row.
namespace TOrdemTab {

// Indexes of the rectangles in reading order: a rectangle whose top lies above the middle of the
// first one of the row being read belongs to that row.
[[nodiscard]] QList<int> OrdemDeLeitura(const QList<QRect>& Retangulos);

// Sets the Tab order of every control under Raiz that takes the focus, by its place on the
// screen (positions relative to each parent; hidden controls keep their place in the chain).
void PelaTela(QWidget& Raiz);

}   // namespace TOrdemTab
