#include "platform/widgets/controls/TImageList.h"

#include <QPainter>

TImageList::TImageList(int largura, int altura, QObject* parent)
    : QObject(parent)
    , FLargura(largura)
    , FAltura(altura)
{}

void TImageList::Add(const QPixmap& imagem)
{
    if (imagem.width() == FLargura && imagem.height() == FAltura)
        FImagens.push_back(imagem);
    else
        FImagens.push_back(imagem.scaled(FLargura, FAltura));
}

const QPixmap& TImageList::Image(int indice) const
{
    return FImagens.at(static_cast<std::size_t>(indice));
}

void TImageList::Draw(QPainter& p, int x, int y, int indice) const
{
    if (indice >= 0 && indice < Count())
        p.drawPixmap(x, y, FImagens[static_cast<std::size_t>(indice)]);
}
