#pragma once
#include <initializer_list>

class QWidget;

// The field that holds its window's focus inside one of the Areas drops what was typed in it and not yet
// written, and writes nothing: a grid's open editor closes, a bound edit or memo shows its value
// again. Run before the record shown is read again as stored (an undo, a delete), so that the
// field, when left afterwards, gives nothing of the record dropped to the one then shown.
void DescartaDigitacao(std::initializer_list<QWidget*> Areas);
