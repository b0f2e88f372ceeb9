#include "shell/common/TDmGeral.h"

#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <cmath>

namespace {

const QColor Contorno(60, 60, 60);
const QColor Papel(255, 255, 255);
const QColor Amarelo(250, 205, 70);
const QColor AmareloClaro(255, 228, 130);
const QColor Azul(40, 90, 170);
const QColor AzulClaro(120, 170, 230);
const QColor Verde(30, 150, 60);
const QColor Vermelho(200, 40, 40);
const QColor Cinza(150, 150, 150);
const QColor CinzaClaro(215, 215, 215);

// A sheet of paper with its top right corner folded, inside the rectangle.
void Folha(QPainter& p, const QRectF& r)
{
    const qreal dobra = 4;
    QPolygonF folha;
    folha << r.topLeft() << QPointF(r.right() - dobra, r.top()) << QPointF(r.right(), r.top() + dobra)
          << r.bottomRight() << r.bottomLeft();
    p.setPen(QPen(Contorno, 1));
    p.setBrush(Papel);
    p.drawPolygon(folha);
    p.setBrush(CinzaClaro);
    p.drawPolygon(QPolygonF() << QPointF(r.right() - dobra, r.top()) << QPointF(r.right() - dobra, r.top() + dobra)
                              << QPointF(r.right(), r.top() + dobra));
}

// Lines of text on a sheet.
void Linhas(QPainter& p, qreal x, qreal y, qreal largura, int quantas)
{
    p.setPen(QPen(Cinza, 1));
    for (int i = 0; i < quantas; ++i)
        p.drawLine(QPointF(x, y + 2.5 * i), QPointF(x + largura - (i % 2) * 3, y + 2.5 * i));
}

void Pasta(QPainter& p, bool aberta)
{
    p.setPen(QPen(QColor(150, 110, 20), 1));
    p.setBrush(Amarelo);
    QPolygonF fundo;
    fundo << QPointF(1.5, 3.5) << QPointF(8.5, 3.5) << QPointF(10.5, 5.5) << QPointF(20.5, 5.5) << QPointF(20.5, 17.5)
          << QPointF(1.5, 17.5);
    p.drawPolygon(fundo);
    p.setBrush(AmareloClaro);
    if (aberta)
        p.drawPolygon(QPolygonF() << QPointF(4.5, 9.5) << QPointF(23.0, 9.5) << QPointF(19.5, 17.5)
                                  << QPointF(1.5, 17.5));
    else
        p.drawRect(QRectF(1.5, 8.5, 19, 9));
}

void Disquete(QPainter& p, const QRectF& r, const QColor& cor)
{
    p.setPen(QPen(Contorno, 1));
    p.setBrush(cor);
    QPolygonF corpo;
    corpo << r.topLeft() << QPointF(r.right() - 2, r.top()) << QPointF(r.right(), r.top() + 2) << r.bottomRight()
          << r.bottomLeft();
    p.drawPolygon(corpo);
    const qreal w = r.width();
    const qreal h = r.height();
    p.setBrush(CinzaClaro);
    p.drawRect(QRectF(r.left() + w * 0.25, r.top(), w * 0.45, h * 0.33));   // shutter
    p.setBrush(Papel);
    p.drawRect(QRectF(r.left() + w * 0.15, r.top() + h * 0.52, w * 0.7, h * 0.48));   // label
}

void Seta(QPainter& p, const QPointF& de, const QPointF& ate, const QColor& cor)
{
    p.setPen(QPen(cor, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(de, ate);
    const QPointF d = ate - de;
    const qreal tamanho = std::hypot(d.x(), d.y());
    const QPointF u = d / tamanho;
    const QPointF n(-u.y(), u.x());
    p.setPen(Qt::NoPen);
    p.setBrush(cor);
    p.drawPolygon(QPolygonF() << ate + u * 2.5 << ate - u * 2.5 + n * 3.2 << ate - u * 2.5 - n * 3.2);
}

void Desenha(QPainter& p, TImagem imagem)
{
    switch (imagem) {
    case TImagem::Nenhuma:
        break;
    case TImagem::Nova:
        Folha(p, QRectF(5.5, 1.5, 13, 17));
        Linhas(p, 8, 8, 7, 4);
        // A small star: the sheet is new.
        p.setPen(QPen(QColor(220, 150, 0), 1.4));
        p.drawLine(QPointF(5, 0.5), QPointF(5, 7.5));
        p.drawLine(QPointF(1.5, 4), QPointF(8.5, 4));
        p.drawLine(QPointF(2.5, 1.5), QPointF(7.5, 6.5));
        p.drawLine(QPointF(2.5, 6.5), QPointF(7.5, 1.5));
        break;
    case TImagem::Abrir:
        Pasta(p, true);
        break;
    case TImagem::Fechar:
        Pasta(p, false);
        p.setPen(QPen(Vermelho, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(15, 11), QPointF(21.5, 17.5));
        p.drawLine(QPointF(21.5, 11), QPointF(15, 17.5));
        break;
    case TImagem::Importar:
        Folha(p, QRectF(9.5, 1.5, 12, 17));
        Linhas(p, 12, 6, 7, 5);
        Seta(p, QPointF(1.5, 10), QPointF(12, 10), Verde);
        break;
    case TImagem::Imprimir:
        p.setPen(QPen(Contorno, 1));
        p.setBrush(Papel);
        p.drawRect(QRectF(6.5, 1.5, 11, 7));
        p.setBrush(QColor(190, 190, 200));
        p.drawRoundedRect(QRectF(1.5, 7.5, 21, 8), 1.5, 1.5);
        p.setBrush(Papel);
        p.drawRect(QRectF(6.5, 12.5, 11, 6));
        Linhas(p, 8, 14.5, 7, 2);
        p.setPen(Qt::NoPen);
        p.setBrush(Verde);
        p.drawEllipse(QPointF(19, 10), 1.2, 1.2);
        break;
    case TImagem::Pendencias:
        p.setPen(QPen(QColor(120, 80, 40), 1));
        p.setBrush(QColor(175, 125, 70));
        p.drawRoundedRect(QRectF(3.5, 1.5, 15, 18), 1.5, 1.5);
        p.setBrush(Papel);
        p.drawRect(QRectF(5.5, 3.5, 11, 15));
        p.setBrush(CinzaClaro);
        p.drawRect(QRectF(8.5, 0.5, 5, 3));
        p.setPen(QPen(Verde, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF() << QPointF(7, 8) << QPointF(8.5, 9.5) << QPointF(11, 6.5));
        p.setPen(QPen(Vermelho, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(7.2, 12.8), QPointF(10, 15.6));
        p.drawLine(QPointF(10, 12.8), QPointF(7.2, 15.6));
        p.setPen(QPen(Cinza, 1));
        p.drawLine(QPointF(12, 8.5), QPointF(15, 8.5));
        p.drawLine(QPointF(12, 14.5), QPointF(15, 14.5));
        break;
    case TImagem::Gerar:
        Disquete(p, QRectF(3.5, 1.5, 17, 17), Azul);
        break;
    case TImagem::Transmitir: {
        const QPointF centro(10, 10);
        QRadialGradient mar(centro, 9, QPointF(7, 7));
        mar.setColorAt(0, AzulClaro);
        mar.setColorAt(1, Azul);
        p.setPen(QPen(QColor(20, 50, 110), 1));
        p.setBrush(mar);
        p.drawEllipse(centro, 8.5, 8.5);
        p.setPen(QPen(QColor(230, 240, 255), 0.8));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(centro, 3.5, 8.5);
        p.drawLine(QPointF(1.5, 10), QPointF(18.5, 10));
        p.drawLine(QPointF(3, 5.5), QPointF(17, 5.5));
        p.drawLine(QPointF(3, 14.5), QPointF(17, 14.5));
        Seta(p, QPointF(14, 17), QPointF(22, 9), Verde);
        break;
    }
    case TImagem::Pesquisar:
        p.setPen(QPen(QColor(90, 60, 30), 3.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14, 12.5), QPointF(20.5, 18.5));
        p.setPen(QPen(Contorno, 1.6));
        p.setBrush(QColor(200, 230, 255));
        p.drawEllipse(QPointF(9.5, 8), 6.5, 6.5);
        p.setPen(QPen(Papel, 1.2, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(5.5, 4, 8, 8), 100 * 16, 70 * 16);
        break;
    case TImagem::Calculadora:
        p.setPen(QPen(Contorno, 1));
        p.setBrush(QColor(110, 110, 120));
        p.drawRoundedRect(QRectF(4.5, 0.5, 15, 19), 1.5, 1.5);
        p.setBrush(QColor(200, 225, 190));
        p.drawRect(QRectF(6.5, 2.5, 11, 4));
        p.setPen(Qt::NoPen);
        for (int linha = 0; linha < 3; ++linha) {
            for (int coluna = 0; coluna < 3; ++coluna) {
                p.setBrush(coluna == 2 && linha == 2 ? QColor(240, 140, 60) : Papel);
                p.drawRect(QRectF(6.5 + coluna * 4, 8.5 + linha * 3.7, 3, 2.6));
            }
        }
        break;
    case TImagem::GerarCopia:
        Disquete(p, QRectF(1.5, 0.5, 14, 14), QColor(90, 90, 100));
        Disquete(p, QRectF(8.5, 5.5, 14, 14), Verde);
        break;
    case TImagem::Ajuda: {
        p.setPen(QPen(QColor(20, 60, 140), 1));
        p.setBrush(Azul);
        p.drawEllipse(QPointF(12, 10), 9, 9);
        QFont fonte(QStringLiteral("Liberation Sans"));
        fonte.setPixelSize(15);
        fonte.setBold(true);
        p.setFont(fonte);
        p.setPen(Papel);
        p.drawText(QRectF(3, 1, 18, 18), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    }
}

// The picture in light greys, so that a disabled command still shows its shape.
QPixmap Cinzenta(const QPixmap& cor)
{
    QImage figura = cor.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < figura.height(); ++y) {
        auto* linha = reinterpret_cast<QRgb*>(figura.scanLine(y));
        for (int x = 0; x < figura.width(); ++x) {
            const int claro = 120 + qGray(linha[x]) * 110 / 255;
            linha[x] = qRgba(claro, claro, claro, qAlpha(linha[x]));
        }
    }
    return QPixmap::fromImage(figura);
}

}   // namespace

QPixmap TDmGeral::IlCor(TImagem imagem)
{
    if (imagem == TImagem::Nenhuma)
        return {};
    QPixmap figura(Tamanho);
    figura.fill(Qt::transparent);
    QPainter pintor(&figura);
    pintor.setRenderHint(QPainter::Antialiasing);
    Desenha(pintor, imagem);
    return figura;
}

QPixmap TDmGeral::IlDesabilitadas(TImagem imagem)
{
    if (imagem == TImagem::Nenhuma)
        return {};
    return Cinzenta(IlCor(imagem));
}

QIcon TDmGeral::Icone(TImagem imagem)
{
    if (imagem == TImagem::Nenhuma)
        return {};
    return Icone(IlCor(imagem));
}

QIcon TDmGeral::Icone(const QPixmap& cor)
{
    QIcon icone;
    icone.addPixmap(cor, QIcon::Normal);
    icone.addPixmap(Cinzenta(cor), QIcon::Disabled);
    return icone;
}

QPixmap TDmGeral::Logotipo()
{
    QPixmap figura(TamanhoLogotipo);
    figura.fill(Qt::transparent);
    QPainter p(&figura);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // A folded sheet on the left, with lines and a money sign.
    QLinearGradient sombra(0, 0, 0, 124);
    sombra.setColorAt(0, QColor(255, 255, 255));
    sombra.setColorAt(1, QColor(225, 232, 245));
    p.setPen(QPen(QColor(40, 60, 110), 2));
    p.setBrush(sombra);
    QPolygonF folha;
    folha << QPointF(8, 8) << QPointF(70, 8) << QPointF(90, 28) << QPointF(90, 116) << QPointF(8, 116);
    p.drawPolygon(folha);
    p.setBrush(QColor(200, 210, 230));
    p.drawPolygon(QPolygonF() << QPointF(70, 8) << QPointF(70, 28) << QPointF(90, 28));
    p.setPen(QPen(QColor(150, 160, 180), 2));
    for (int i = 0; i < 6; ++i)
        p.drawLine(QPointF(20, 40 + 12 * i), QPointF(i % 2 ? 64 : 78, 40 + 12 * i));
    p.setPen(QPen(QColor(30, 140, 60), 3));
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(QPointF(72, 96), 15, 15);
    QFont cifra(QStringLiteral("Liberation Sans"));
    cifra.setPixelSize(20);
    cifra.setBold(true);
    p.setFont(cifra);
    p.drawText(QRectF(57, 81, 30, 30), Qt::AlignCenter, QStringLiteral("$"));

    QFont titulo(QStringLiteral("Liberation Serif"));
    titulo.setPixelSize(62);
    titulo.setBold(true);
    titulo.setItalic(true);
    p.setFont(titulo);
    p.setPen(QColor(160, 160, 140));
    p.drawText(QRectF(107, 7, 300, 70), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Pruv 2003"));
    p.setPen(QColor(0, 0, 128));
    p.drawText(QRectF(104, 4, 300, 70), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Pruv 2003"));

    QFont subtitulo(QStringLiteral("Liberation Sans"));
    subtitulo.setPixelSize(15);
    subtitulo.setBold(true);
    p.setFont(subtitulo);
    p.setPen(QColor(60, 60, 60));
    p.drawText(QRectF(106, 78, 306, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Declaração do Imposto de Renda"));
    p.drawText(QRectF(106, 97, 306, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Retido na Fonte"));
    return figura;
}
