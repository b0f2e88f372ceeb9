#include "platform/report/TRotulo.h"

#include <QPainter>
#include <QPen>

#include "platform/report/TFonte.h"
#include "platform/report/TMedidaTexto.h"

TRotulo::TRotulo(QString nome) : TElementoRelatorio(std::move(nome)), Fonte(TFonte::Padrao()) {}

QString TRotulo::TextoImpresso(const TContextoImpressao& /*contexto*/) const
{
    return Texto;
}

void TRotulo::Desenha(QPainter& pintor, QPointF origem, const TContextoImpressao& contexto) const
{
    const QString texto = TextoImpresso(contexto);
    if (texto.isEmpty())
        return;
    const qreal largura = TMedidaTexto::Largura(Fonte, texto);
    const qreal x = origem.x() + Esquerda + TMedidaTexto::Recuo(Alinhamento, Largura, largura);
    // Saving the painter's state is kept for the clip: pages record every state change.
    if (!AutoTamanho) {
        pintor.save();
        pintor.setClipRect(QRectF(origem.x() + Esquerda, origem.y() + Topo, Largura, Altura));
    }
    if (pintor.font() != Fonte)
        pintor.setFont(Fonte);
    if (pintor.pen() != QPen(Cor))
        pintor.setPen(Cor);
    pintor.drawText(QPointF(x, origem.y() + Topo + TMedidaTexto::Ascendente(Fonte)), texto);
    if (!AutoTamanho)
        pintor.restore();
}
