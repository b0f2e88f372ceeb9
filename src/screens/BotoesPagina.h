#pragma once

class QToolButton;
class QWidget;

// The pictures of a page's buttons: moving through the records, adding, deleting and undoing.
enum class TFiguraBotao { Primeiro, Anterior, Proximo, Ultimo, Inclui, Exclui, Desfaz };

// A button of a page's navigation bar: flat, showing its picture, taking no focus from a click, with
// its hint; a button that drops the edits (cancela) lets the field being left skip its write-back.
QToolButton* BotaoDePagina(QWidget* Pai, const char* Nome, TFiguraBotao Figura, const char* Dica, bool Cancela = false);
