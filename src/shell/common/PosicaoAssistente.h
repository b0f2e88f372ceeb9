#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where an assistant goes over the main window: left so that it is centred across the main
// window's client width; top below the main window's title and menu (its frame height less its
// client height) by half the client height the assistant leaves, scaled by PixelsPorPolegada / 96.
// Moldura is the main window's frame, Cliente its client area, Tamanho the assistant's size.
[[nodiscard]] QPoint PosicaoAssistente(const QRect& Moldura, const QSize& Cliente, const QSize& Tamanho,
                                       int PixelsPorPolegada);

// Moves the assistant so over the top-level window of its owner; nothing without an owner.
void PosicionaAssistente(QWidget& Assistente);
