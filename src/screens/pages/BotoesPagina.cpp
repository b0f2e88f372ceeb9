#include "screens/pages/BotoesPagina.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QToolButton>

#include "screens/fields/TSaidaDeCampo.h"
#include "shell/common/TDmGeral.h"

namespace {

constexpr QSize Tamanho{16, 16};
const QColor Contorno(20, 50, 110);
const QColor Azul(50, 100, 190);

// A triangle pointing left or right, its tip at x.
void Ponta(QPainter& p, qreal x, bool esquerda)
{
    const qreal base = esquerda ? x + 6 : x - 6;
    p.setPen(QPen(Contorno, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Azul);
    p.drawPolygon(QPolygonF({QPointF(x, 8), QPointF(base, 2.5), QPointF(base, 13.5)}));
}

void Barra(QPainter& p, qreal x)
{
    p.setPen(QPen(Contorno, 1));
    p.setBrush(Azul);
    p.drawRect(QRectF(x, 2.5, 2, 11));
}

// A thick sign, outlined so that it shows on any ground.
void Sinal(QPainter& p, const QColor& cor, bool vertical)
{
    QPainterPath sinal;
    sinal.setFillRule(Qt::WindingFill);
    sinal.addRect(QRectF(2.5, 6.5, 11, 3));
    if (vertical)
        sinal.addRect(QRectF(6.5, 2.5, 3, 11));
    p.setPen(QPen(cor.darker(160), 1));
    p.setBrush(cor);
    p.drawPath(sinal.simplified());
}

// A curved arrow turning back to the left.
void Volta(QPainter& p)
{
    QPainterPath curva;
    curva.moveTo(5, 6);
    curva.cubicTo(QPointF(10, 3.5), QPointF(15, 6), QPointF(13.5, 10.5));
    curva.cubicTo(QPointF(12.5, 13), QPointF(10, 14), QPointF(7.5, 13.5));
    p.setPen(QPen(QColor(150, 90, 10), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curva);
    p.setPen(QPen(QColor(150, 90, 10), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(230, 150, 30));
    p.drawPolygon(QPolygonF({QPointF(1.5, 6.5), QPointF(7, 2), QPointF(7, 10.5)}));
}

QPixmap Desenho(TFiguraBotao figura)
{
    QPixmap imagem(Tamanho);
    imagem.fill(Qt::transparent);
    QPainter p(&imagem);
    p.setRenderHint(QPainter::Antialiasing);
    switch (figura) {
    case TFiguraBotao::Primeiro:
        Barra(p, 2.5);
        Ponta(p, 6, true);
        break;
    case TFiguraBotao::Anterior:
        Ponta(p, 4.5, true);
        break;
    case TFiguraBotao::Proximo:
        Ponta(p, 11.5, false);
        break;
    case TFiguraBotao::Ultimo:
        Ponta(p, 10, false);
        Barra(p, 11.5);
        break;
    case TFiguraBotao::Inclui:
        Sinal(p, QColor(30, 150, 60), true);
        break;
    case TFiguraBotao::Exclui:
        Sinal(p, QColor(200, 40, 40), false);
        break;
    case TFiguraBotao::Desfaz:
        Volta(p);
        break;
    }
    return imagem;
}

}   // namespace

QToolButton* BotaoDePagina(QWidget* Pai, const char* Nome, TFiguraBotao Figura, const char* Dica, bool Cancela)
{
    auto* botao = new QToolButton(Pai);
    botao->setObjectName(QLatin1String(Nome));
    botao->setIcon(TDmGeral::Icone(Desenho(Figura)));
    botao->setIconSize(Tamanho);
    botao->setToolTip(QString::fromUtf8(Dica));
    botao->setAccessibleName(botao->toolTip());
    botao->setAutoRaise(true);
    if (Cancela)
        botao->setProperty(TSaidaDeCampo::PropriedadeModalResult, TSaidaDeCampo::mrCancel);
    return botao;
}

QHBoxLayout* BarraDePagina(QWidget* Pai, const QRect& Geometria,
                           std::initializer_list<std::pair<QToolButton*, std::function<void()>>> Botoes,
                           const std::function<bool()>& Aberta)
{
    auto* barra = new QWidget(Pai);
    barra->setGeometry(Geometria);
    auto* layout = new QHBoxLayout(barra);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const auto& par : Botoes) {
        layout->addWidget(par.first);
        QObject::connect(par.first, &QToolButton::clicked, par.first,
                         [Aberta, acao = par.second] { TSaidaDeCampo::SePaginaAberta(Aberta(), acao); });
    }
    return layout;
}
