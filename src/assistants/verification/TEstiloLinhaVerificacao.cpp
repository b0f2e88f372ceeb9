#include "assistants/verification/TEstiloLinhaVerificacao.h"

#include <QPainter>
#include <QPainterPath>

#include "assistants/pages/DesenhoIcones.h"

namespace {

const QColor Azul(0, 0, 255);
const QColor Verde(0, 128, 128);   // teal

void Documento(QPainter& p)
{
    p.setPen(QPen(QColor(0, 0, 128), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 0.5, 11, 14));
    for (const qreal y : {4.0, 7.0, 10.0})
        p.drawLine(QPointF(4, y), QPointF(10, y));
}

void Clipe(QPainter& p)
{
    QPainterPath clipe;
    clipe.moveTo(11, 4);
    clipe.lineTo(11, 13);
    clipe.arcTo(QRectF(5, 10, 6, 6), 0, -180);
    clipe.lineTo(5, 3);
    clipe.arcTo(QRectF(5, 0.5, 4, 4), 180, -180);
    clipe.lineTo(9, 12);
    p.setPen(QPen(QColor(0, 96, 96), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(clipe);
}

}   // namespace

TEstiloLinhaVerificacao TEstiloLinhaVerificacao::DoCodigo(const QString& Codigo)
{
    using I = TIconeVerificacao;
    if (Codigo == QLatin1String("08"))
        return {I::Declarante, 0, 15, 9, true, Azul};
    if (Codigo == QLatin1String("09"))
        return {I::Fundo, 10, 20, 9, true, Verde};
    // Errors and warnings are what the list is read for: in the size of their headings (at 7
    // points they were much smaller), not bold.
    if (Codigo == QLatin1String("01"))
        return {I::Erro, 45, 30, 9, false, Qt::black};
    if (Codigo == QLatin1String("00"))
        return {I::Aviso, 45, 30, 9, false, Qt::black};
    if (Codigo == QLatin1String("20"))
        return {I::Ok, 20, 26, 9, true, Qt::black};
    if (Codigo == QLatin1String("10"))
        return {I::Nenhum, 20, 26, 9, true, Qt::black};
    return {};
}

QFont TEstiloLinhaVerificacao::Fonte(const QFont& DaLista) const
{
    if (Pontos == 0)
        return DaLista;
    QFont fonte(QStringLiteral("Arial"));
    fonte.setPointSize(Pontos);
    fonte.setBold(Negrito);
    return fonte;
}

QPixmap TEstiloLinhaVerificacao::Imagem(TIconeVerificacao Icone)
{
    using I = TIconeVerificacao;
    QSize tamanho(24, 16);
    if (Icone == I::Nenhum)
        return {};
    if (Icone == I::Declarante)
        tamanho = {14, 16};
    else if (Icone == I::Fundo)
        tamanho = {17, 17};
    QPixmap imagem(tamanho);
    imagem.fill(Qt::transparent);
    QPainter p(&imagem);
    p.setRenderHint(QPainter::Antialiasing);
    switch (Icone) {
    case I::Declarante:
        Documento(p);
        break;
    case I::Fundo:
        Clipe(p);
        break;
    case I::Erro:
        DesenhaIconeErro(p);
        break;
    case I::Aviso:
        DesenhaIconeAviso(p, QColor(250, 210, 40));
        break;
    case I::Exclamacao:
        DesenhaIconeAviso(p, QColor(250, 140, 40));
        break;
    case I::Ok:
        DesenhaIconeOk(p);
        break;
    case I::Nenhum:
        break;
    }
    return imagem;
}
