#include <QImage>
#include <QPainter>
#include <QPalette>
#include <gtest/gtest.h>

#include "platform/widgets/painting/TEdgePainter.h"

namespace {

QPalette Paleta()
{
    QPalette p;
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Light, QColor(255, 255, 254));
    p.setColor(QPalette::Midlight, QColor(220, 220, 220));
    p.setColor(QPalette::Dark, QColor(128, 128, 128));
    p.setColor(QPalette::Shadow, QColor(64, 64, 64));
    p.setColor(QPalette::Button, QColor(192, 192, 192));
    return p;
}

// Draws on a 10 x 8 canvas filled with a colour no border uses.
QImage Desenha(unsigned edge, unsigned flags)
{
    QImage img(10, 8, QImage::Format_RGB32);
    img.fill(QColor(1, 2, 3));
    QPainter p(&img);
    TEdgePainter::DrawEdge(p, {0, 0, 10, 8}, edge, flags, Paleta());
    return img;
}

const QColor Fundo(1, 2, 3);

}   // namespace

TEST(TEdgePainter, MonoSunkenBoxIsAFrameLineWithTheWindowColourInside)
{
    const QImage img = Desenha(TEdgePainter::EDGE_SUNKEN, TEdgePainter::BF_RECT | TEdgePainter::BF_MONO);
    const struct {
        int x, y;
        QColor cor;
    } casos[] = {
        {0, 4, Qt::black}, {5, 0, Qt::black}, {9, 4, Qt::black}, {5, 7, Qt::black},   // outer line
        {1, 4, Qt::white}, {5, 1, Qt::white}, {8, 4, Qt::white}, {5, 6, Qt::white},   // inner line
        {5, 4, Fundo},                                                                // inside untouched
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(img.pixelColor(c.x, c.y), c.cor);
    }
}

TEST(TEdgePainter, DrawsOnlyTheSidesAskedFor)
{
    const QImage img = Desenha(TEdgePainter::EDGE_SUNKEN, TEdgePainter::BF_BOTTOM | TEdgePainter::BF_MONO);
    EXPECT_EQ(img.pixelColor(5, 7), Qt::black);
    EXPECT_EQ(img.pixelColor(5, 6), Qt::white);
    EXPECT_EQ(img.pixelColor(0, 3), Fundo);
    EXPECT_EQ(img.pixelColor(5, 0), Fundo);
    EXPECT_EQ(img.pixelColor(9, 3), Fundo);
}

TEST(TEdgePainter, RaisedAndSunkenTakeTheThreeDimensionalColours)
{
    const QPalette pal = Paleta();
    const struct {
        unsigned edge;
        QColor fora, foraEscuro, dentro, dentroEscuro;
    } casos[] = {
        {TEdgePainter::EDGE_RAISED, pal.color(QPalette::Midlight), pal.color(QPalette::Shadow),
         pal.color(QPalette::Light), pal.color(QPalette::Dark)},
        {TEdgePainter::EDGE_SUNKEN, pal.color(QPalette::Dark), pal.color(QPalette::Light), pal.color(QPalette::Shadow),
         pal.color(QPalette::Midlight)},
        {TEdgePainter::EDGE_ETCHED, pal.color(QPalette::Dark), pal.color(QPalette::Light), pal.color(QPalette::Light),
         pal.color(QPalette::Dark)},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.edge);
        const QImage img = Desenha(c.edge, TEdgePainter::BF_RECT);
        EXPECT_EQ(img.pixelColor(0, 4), c.fora);
        EXPECT_EQ(img.pixelColor(9, 4), c.foraEscuro);
        EXPECT_EQ(img.pixelColor(1, 4), c.dentro);
        EXPECT_EQ(img.pixelColor(8, 4), c.dentroEscuro);
    }
}
