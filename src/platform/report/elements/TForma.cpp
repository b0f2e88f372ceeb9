#include "platform/report/elements/TForma.h"

#include <QPainter>
#include <QPen>

void TForma::Desenha(QPainter& pintor, QPointF origem, const TContextoImpressao& /*contexto*/) const
{
    const QRectF area(origem.x() + Esquerda, origem.y() + Topo, Largura, Altura);
    pintor.save();
    QPen caneta(Cor, Espessura);
    caneta.setCapStyle(Qt::FlatCap);
    caneta.setJoinStyle(Qt::MiterJoin);
    pintor.setPen(caneta);
    switch (Tipo) {
    case TTipoForma::Retangulo: {
        // The pen runs inside the rectangle, so that the frame keeps the element's size.
        const qreal meia = Espessura / 2;
        pintor.setBrush(Preenchimento);
        pintor.drawRect(area.adjusted(meia, meia, -meia, -meia));
        break;
    }
    case TTipoForma::LinhaHorizontal:
        pintor.drawLine(QPointF(area.left(), area.center().y()), QPointF(area.right(), area.center().y()));
        break;
    case TTipoForma::LinhaVertical:
        pintor.drawLine(QPointF(area.center().x(), area.top()), QPointF(area.center().x(), area.bottom()));
        break;
    }
    pintor.restore();
}

void TForma::Registra(std::vector<TTracoDesenhado>& tracos, QPointF origem,
                      const TContextoImpressao& /*contexto*/) const
{
    const QRectF area(origem.x() + Esquerda, origem.y() + Topo, Largura, Altura);
    TTracoDesenhado t;
    t.Elemento = Nome();
    switch (Tipo) {
    case TTipoForma::Retangulo:
        t.Tipo = TTracoDesenhado::TTipo::Moldura;
        t.Caixa = area;
        break;
    case TTipoForma::LinhaHorizontal:
        t.Tipo = TTracoDesenhado::TTipo::Linha;
        t.Caixa = QRectF(QPointF(area.left(), area.center().y()), QPointF(area.right(), area.center().y()));
        break;
    case TTipoForma::LinhaVertical:
        t.Tipo = TTracoDesenhado::TTipo::Linha;
        t.Caixa = QRectF(QPointF(area.center().x(), area.top()), QPointF(area.center().x(), area.bottom()));
        break;
    }
    tracos.push_back(std::move(t));
}
