#pragma once

#include <functional>
#include <initializer_list>
#include <utility>

class QHBoxLayout;
class QRect;
class QToolButton;
class QWidget;

// The pictures of a page's buttons: moving through the records, adding, deleting and undoing.
enum class TFiguraBotao { Primeiro, Anterior, Proximo, Ultimo, Inclui, Exclui, Desfaz };

// A button of a page's navigation bar: flat, showing its picture, taking no focus from a click, with
// its hint; a button that drops the edits (cancela) lets the field being left skip its write-back.
QToolButton* BotaoDePagina(QWidget* Pai, const char* Nome, TFiguraBotao Figura, const char* Dica, bool Cancela = false);

// A page's navigation bar at Geometria: its buttons side by side, touching; a click runs the
// button's action, its errors shown, only while Aberta says the page holds its declaration.
// The bar's layout is returned for spacing between groups of buttons.
QHBoxLayout* BarraDePagina(QWidget* Pai, const QRect& Geometria,
                           std::initializer_list<std::pair<QToolButton*, std::function<void()>>> Botoes,
                           const std::function<bool()>& Aberta);
