#include <QImage>
#include <QPainter>
#include <QPalette>
#include <gtest/gtest.h>

#include "components/controls/dvDraw.h"

namespace {

QPalette Paleta()
{
    QPalette p;
    p.setColor(QPalette::Button, QColor(192, 192, 192));
    p.setColor(QPalette::ButtonText, Qt::black);
    p.setColor(QPalette::Dark, QColor(128, 128, 128));
    p.setColor(QPalette::Light, Qt::white);
    p.setColor(QPalette::Highlight, Qt::blue);
    p.setColor(QPalette::WindowText, Qt::black);
    return p;
}

// The columns of row y that hold colour c.
QList<int> Colunas(const QImage& img, int y, const QColor& c)
{
    QList<int> xs;
    for (int x = 0; x < img.width(); ++x)
        if (img.pixelColor(x, y) == c)
            xs << x;
    return xs;
}

}   // namespace

TEST(dvDraw, TheEllipsisIsThreeSquareDotsInTheMiddle)
{
    QImage img(16, 16, QImage::Format_RGB32);
    QPainter p(&img);
    dvDrawEllipsis(p, {0, 0, 16, 16}, Paleta(), true, true, false);
    p.end();
    EXPECT_EQ(Colunas(img, 7, Qt::black), (QList<int>{3, 4, 7, 8, 11, 12}));
    EXPECT_EQ(Colunas(img, 8, Qt::black), (QList<int>{3, 4, 7, 8, 11, 12}));
    EXPECT_TRUE(Colunas(img, 6, Qt::black).isEmpty());

    QImage cinza(16, 16, QImage::Format_RGB32);
    QPainter q(&cinza);
    dvDrawEllipsis(q, {0, 0, 16, 16}, Paleta(), false, true, false);
    q.end();
    EXPECT_TRUE(Colunas(cinza, 7, Qt::black).isEmpty());
    EXPECT_EQ(Colunas(cinza, 7, QColor(128, 128, 128)), (QList<int>{3, 4, 7, 8, 11, 12}));
}

TEST(dvDraw, TheFocusFrameIsOutlinedInTheHighlightColour)
{
    QImage img(10, 10, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    dvDrawFocusFrame(p, {0, 0, 10, 10}, Paleta());
    p.end();
    for (const QPoint borda : {QPoint(0, 5), QPoint(9, 5), QPoint(5, 0), QPoint(5, 9)})
        EXPECT_EQ(img.pixelColor(borda), Qt::blue);
    EXPECT_EQ(img.pixelColor(5, 5), Qt::white);
}
