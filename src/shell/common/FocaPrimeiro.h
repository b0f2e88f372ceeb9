#pragma once

class QWidget;

// Gives the focus to the first control that can take it (shown, enabled, accepting focus);
// null controls are passed over.
void FocaPrimeiro(QWidget* Primeiro, QWidget* Segundo, QWidget* Terceiro, QWidget* Quarto);
