#pragma once

class QWidget;

// Gives the focus to the first control that can take it (shown, enabled, accepting focus);
// null controls are passed over.
void FocaPrimeiro(QWidget* Primeiro, QWidget* Segundo, QWidget* Terceiro, QWidget* Quarto);

// Gives the focus to the first field of a tab page that Tab reaches, unless it is in the page
// already: a tab the user chose takes what is typed next.
void FocaFicha(QWidget* Ficha);
