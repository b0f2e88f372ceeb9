#pragma once

class QWidget;

// Esc closes the window (through its close query, which may refuse), from whichever of its
// controls has the focus, as in a dialog with a cancel button.
void FechaComEsc(QWidget& janela);
