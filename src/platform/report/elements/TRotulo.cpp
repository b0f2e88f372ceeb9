#include "platform/report/elements/TRotulo.h"

#include <QPainter>
#include <QPen>

#include "platform/report/pages/TFonte.h"
#include "platform/report/pages/TMedidaTexto.h"

TRotulo::TRotulo(QString nome)
    : TElementoRelatorio(std::move(nome))
    , Fonte(TFonte::Padrao())
{}

QString TRotulo::TextoImpresso(const TContextoImpressao& /*contexto*/) const
{
    return Texto;
}

QString TRotulo::TextoNoRotulo(const TContextoImpressao& contexto) const
{
    const QString texto = TextoImpresso(contexto);
    return AutoTamanho ? texto : TMedidaTexto::Corta(Fonte, texto, Largura);
}

void TRotulo::Desenha(QPainter& pintor, QPointF origem, const TContextoImpressao& contexto) const
{
    const QString texto = TextoNoRotulo(contexto);
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

void TRotulo::Registra(std::vector<TTracoDesenhado>& tracos, QPointF origem, const TContextoImpressao& contexto) const
{
    const QString texto = TextoNoRotulo(contexto);
    if (texto.isEmpty())
        return;
    const qreal largura = TMedidaTexto::Largura(Fonte, texto);
    const qreal x = origem.x() + Esquerda + TMedidaTexto::Recuo(Alinhamento, Largura, largura);
    const qreal topo = origem.y() + Topo;
    // Blanks at the end take room but show nothing.
    qsizetype fim = texto.size();
    while (fim > 0 && texto.at(fim - 1) == QLatin1Char(' '))
        --fim;
    const qreal tinta = TMedidaTexto::Largura(Fonte, texto.left(fim));
    const qreal base = topo + TMedidaTexto::Ascendente(Fonte);
    const qreal maiuscula = TMedidaTexto::AlturaMaiuscula(Fonte);
    TTracoDesenhado t;
    t.Texto = texto;
    t.Elemento = Nome();
    t.Caixa = QRectF(x, topo, tinta, TMedidaTexto::AlturaLinha(Fonte));
    t.Nucleo = QRectF(x, base - maiuscula, tinta, maiuscula);
    if (!AutoTamanho) {
        t.Recorte = QRectF(origem.x() + Esquerda, topo, Largura, Altura);
        t.TextoInteiro = TextoImpresso(contexto);
    }
    tracos.push_back(std::move(t));
}
