#include "platform/report/elements/TImagem.h"

#include <QPainter>

void TImagem::Desenha(QPainter& pintor, QPointF origem, const TContextoImpressao& /*contexto*/) const
{
    if (Imagem.isNull())
        return;
    const QRectF area(origem.x() + Esquerda, origem.y() + Topo, Largura, Altura);
    if (Estica) {
        pintor.drawImage(area, Imagem);
        return;
    }
    QRectF alvo(area.topLeft(), QSizeF(Imagem.width(), Imagem.height()));
    if (Centraliza)
        alvo.moveCenter(area.center());
    pintor.save();
    pintor.setClipRect(area);
    pintor.drawImage(alvo, Imagem);
    pintor.restore();
}

void TImagem::Registra(std::vector<TTracoDesenhado>& tracos, QPointF origem,
                       const TContextoImpressao& /*contexto*/) const
{
    if (Imagem.isNull())
        return;
    TTracoDesenhado t;
    t.Tipo = TTracoDesenhado::TTipo::Imagem;
    t.Elemento = Nome();
    t.Caixa = QRectF(origem.x() + Esquerda, origem.y() + Topo, Largura, Altura);
    tracos.push_back(std::move(t));
}
