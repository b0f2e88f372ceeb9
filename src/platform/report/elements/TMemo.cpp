#include "platform/report/elements/TMemo.h"

#include <QPainter>

#include "platform/report/pages/TFonte.h"
#include "platform/report/pages/TMedidaTexto.h"

TMemo::TMemo(QString nome)
    : TElementoRelatorio(std::move(nome))
    , Fonte(TFonte::Padrao())
{}

QStringList TMemo::LinhasImpressas() const
{
    const QString texto = Linhas.join(QLatin1Char('\n'));
    if (QuebraLinha)
        return TMedidaTexto::Quebra(Fonte, texto, Largura);
    return texto.isEmpty() ? QStringList() : texto.split(QLatin1Char('\n'));
}

qreal TMemo::AlturaMedida() const
{
    return LinhasImpressas().size() * TMedidaTexto::AlturaLinha(Fonte);
}

qreal TMemo::AlturaEsticada(const TContextoImpressao& /*contexto*/) const
{
    return Estica ? Topo + std::max(Altura, AlturaMedida()) : 0;
}

void TMemo::Desenha(QPainter& pintor, QPointF origem, const TContextoImpressao& /*contexto*/) const
{
    const QStringList linhas = LinhasImpressas();
    if (linhas.isEmpty())
        return;
    const qreal alturaLinha = TMedidaTexto::AlturaLinha(Fonte);
    const qreal ascendente = TMedidaTexto::Ascendente(Fonte);
    const QRectF area(origem.x() + Esquerda, origem.y() + Topo, Largura,
                      Estica ? std::max(Altura, linhas.size() * alturaLinha) : Altura);
    pintor.save();
    pintor.setClipRect(area.adjusted(0, 0, 0, 0.5));
    pintor.setFont(Fonte);
    pintor.setPen(Cor);
    qreal y = area.top();
    for (const QString& linha : linhas) {
        if (y + alturaLinha > area.bottom() + 0.5)
            break;   // a line that does not fit whole is not printed
        const qreal largura = TMedidaTexto::Largura(Fonte, linha);
        const qreal x = area.left() + TMedidaTexto::Recuo(Alinhamento, Largura, largura);
        pintor.drawText(QPointF(x, y + ascendente), linha);
        y += alturaLinha;
    }
    pintor.restore();
}

void TMemo::Registra(std::vector<TTracoDesenhado>& tracos, QPointF origem, const TContextoImpressao& /*contexto*/) const
{
    const QStringList linhas = LinhasImpressas();
    const qreal alturaLinha = TMedidaTexto::AlturaLinha(Fonte);
    const qreal ascendente = TMedidaTexto::Ascendente(Fonte);
    const qreal maiuscula = TMedidaTexto::AlturaMaiuscula(Fonte);
    const QRectF area(origem.x() + Esquerda, origem.y() + Topo, Largura,
                      Estica ? std::max(Altura, linhas.size() * alturaLinha) : Altura);
    qreal y = area.top();
    for (const QString& linha : linhas) {
        if (y + alturaLinha > area.bottom() + 0.5)
            break;
        const qreal largura = TMedidaTexto::Largura(Fonte, linha);
        const qreal x = area.left() + TMedidaTexto::Recuo(Alinhamento, Largura, largura);
        if (!linha.trimmed().isEmpty()) {
            TTracoDesenhado t;
            t.Texto = linha;
            t.Elemento = Nome();
            t.Caixa = QRectF(x, y, largura, alturaLinha);
            t.Nucleo = QRectF(x, y + ascendente - maiuscula, largura, maiuscula);
            t.Recorte = area.adjusted(0, 0, 0, 0.5);
            tracos.push_back(std::move(t));
        }
        y += alturaLinha;
    }
}
