#include "shell/common/PosicaoAssistente.h"

#include <QWidget>

QPoint PosicaoAssistente(const QRect& Moldura, const QSize& Cliente, const QSize& Tamanho, int PixelsPorPolegada)
{
    const int esquerda = Moldura.left() + (Cliente.width() - Tamanho.width()) / 2;
    const double meio = (Cliente.height() - Tamanho.height()) / 2.0;
    const int topo = Moldura.top() + (Moldura.height() - Cliente.height()) + qRound(meio * PixelsPorPolegada / 96.0);
    return {esquerda, topo};
}

void PosicionaAssistente(QWidget& Assistente)
{
    const QWidget* dono = Assistente.parentWidget();
    if (!dono)
        return;
    const QWidget* principal = dono->window();
    Assistente.move(
        PosicaoAssistente(principal->frameGeometry(), principal->size(), Assistente.size(), principal->logicalDpiY()));
}
