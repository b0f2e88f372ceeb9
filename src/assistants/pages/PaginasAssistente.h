#pragma once
#include <QPixmap>
#include <initializer_list>

#include "shell/common/TDmGeral.h"

class QWidget;

// The pages of the assistants that put a picture beside their texts or one frame in the page.

// A page named Nome with the picture on the left and, beside it, its controls from the top (they
// become the page's children).
QWidget* PaginaComFigura(const char* Nome, const QPixmap& Figura, std::initializer_list<QWidget*> Controles);
// A page named Nome whose one frame fills it.
QWidget* PaginaDeQuadro(const char* Nome, QWidget* Quadro);
// The image of a command at the size the assistants' pages show it.
QPixmap FiguraDe(TImagem Imagem);
