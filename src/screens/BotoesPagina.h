#pragma once

class QToolButton;
class QWidget;

// A button of a page's navigation bar: flat, taking no focus from a click, with its hint; a
// button that drops the edits (cancela) lets the field being left skip its write-back.
QToolButton* BotaoDePagina(QWidget* Pai, const char* Nome, const char* Texto, const char* Dica, bool Cancela = false);
