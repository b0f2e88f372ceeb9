#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "screens/tips/TNewHint.h"

TEST(TNewHint, OpensOnTheFirstSideThatFitsTheScreen)
{
    using enum THintDirection;
    const QSize tela(800, 600);
    const QSize medida(156, 15);   // W 178, w 172, up 35 high, down 44
    const struct {
        QPoint cursor;
        THintDirection primeira;
        THintDirection direcao;
        QRect janela;
        QPoint ponta;
    } casos[] = {
        {{100, 300}, hdUpRight, hdUpRight, {100, 255, 178, 35}, {100, 290}},
        {{700, 300}, hdUpRight, hdUpLeft, {534, 255, 178, 35}, {706, 290}},
        {{100, 20}, hdUpRight, hdDownRight, {100, 50, 178, 44}, {100, 50}},
        {{700, 20}, hdUpRight, hdDownLeft, {534, 50, 178, 44}, {706, 50}},
        {{628, 300}, hdUpRight, hdUpRight, {628, 255, 178, 35}, {628, 290}},   // x + w = 800 still fits
        {{629, 300}, hdUpRight, hdUpLeft, {463, 255, 178, 35}, {635, 290}},
        {{100, 580}, hdDownRight, hdUpRight, {100, 535, 178, 35}, {100, 570}},
        {{100, 300}, hdDownLeft, hdDownRight, {100, 330, 178, 44}, {100, 330}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.cursor.x() << "," << c.cursor.y());
        const TPosicaoBalao p = TNewHint::Posiciona(c.cursor, tela, medida, c.primeira);
        EXPECT_TRUE(p.Cabe);
        EXPECT_EQ(p.Direcao, c.direcao);
        EXPECT_EQ(p.Janela, c.janela);
        EXPECT_EQ(p.Ponta, c.ponta);
    }
}

TEST(TNewHint, ABalloonThatFitsNowhereStaysOnTheScreen)
{
    const TPosicaoBalao p = TNewHint::Posiciona({50, 50}, {120, 100}, {156, 15}, THintDirection::hdUpRight);
    EXPECT_FALSE(p.Cabe);
    EXPECT_EQ(p.Janela.topLeft(), QPoint(0, 5));   // moved left as far as the screen allows
}

TEST(TNewHint, PaintsTheBodyThePointerAndTheShadow)
{
    TAparenciaBalao a;
    a.Cor = Qt::yellow;
    a.Sombra = Qt::blue;
    a.Raio = 14;
    const QSize tamanho(178, 35);
    QImage imagem(tamanho, QImage::Format_ARGB32);
    imagem.fill(Qt::transparent);
    QPainter p(&imagem);
    TNewHint::Desenha(p, tamanho, THintDirection::hdUpRight, QString(), a);
    p.end();
    const int W = 178;
    const int H = 35;
    EXPECT_EQ(QColor(imagem.pixel(W / 2, 10)), QColor(Qt::yellow));    // inside the body
    EXPECT_EQ(QColor(imagem.pixel(W / 2, 0)), QColor(Qt::black));      // its outline
    EXPECT_EQ(QColor(imagem.pixel(15, H - 15)), QColor(Qt::yellow));   // the pointer's base opens it
    EXPECT_EQ(QColor(imagem.pixel(W - 2, 20)), QColor(Qt::blue));      // dotted shadow: x, y both even
    EXPECT_EQ(qAlpha(imagem.pixel(W - 2, 21)), 0);                     // and between its dots
    EXPECT_EQ(qAlpha(imagem.pixel(W - 1, 0)), 0);                      // outside everything
}
