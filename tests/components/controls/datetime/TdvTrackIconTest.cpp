#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

#include "components/controls/datetime/TdvTrackIcon.h"
#include "components/controls/richtext/dvRichOle.h"

namespace {

void Mouse(QWidget* w, QEvent::Type tipo, int x, Qt::MouseButtons botoes)
{
    const QPointF p(x, 3);
    QMouseEvent e(tipo, p, w->mapToGlobal(p), Qt::LeftButton, botoes, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

}   // namespace

TEST(TdvTrackIcon, DragsWithinItsLimits)
{
    const struct {
        int left;
        int cursor;
        int press;
        int min;
        int max;
        int novo;
    } casos[] = {
        {50, 10, 4, 0, 0, 56},    {50, -100, 4, 0, 0, -54},   // no limits
        {50, -100, 4, 20, 0, 20}, {50, 300, 4, 20, 200, 200}, {50, 2, 4, 20, 200, 48},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.left << " " << c.cursor);
        EXPECT_EQ(TdvTrackIcon::DragLeft(c.left, c.cursor, c.press, c.min, c.max), c.novo);
    }
}

TEST(TdvTrackIcon, LoadsItsBitmapAndLeavesOutTheColourOfItsBottomLeftPixel)
{
    QWidget regua;
    TdvTrackIcon icone(&regua);
    icone.SetBitmapName(QStringLiteral("dvRulerDown"));
    EXPECT_EQ(icone.size(), icone.Bitmap().size());
    EXPECT_FALSE(icone.Bitmap().isNull());
    const QSize antes = icone.size();
    icone.SetBitmapName(QString());   // keeps the bitmap and the size
    EXPECT_EQ(icone.size(), antes);
    EXPECT_FALSE(icone.Bitmap().isNull());

    QPixmap p(3, 2);
    p.fill(Qt::red);
    const QImage mascarada = TdvTrackIcon::Transparent(p).toImage();
    EXPECT_EQ(qAlpha(mascarada.pixel(0, 1)), 0);
    QImage comPonto(3, 2, QImage::Format_RGB32);
    comPonto.fill(Qt::white);
    comPonto.setPixel(1, 0, qRgb(0, 0, 0));
    const QImage resultado = TdvTrackIcon::Transparent(QPixmap::fromImage(comPonto)).toImage();
    EXPECT_EQ(qAlpha(resultado.pixel(2, 0)), 0);
    EXPECT_EQ(qAlpha(resultado.pixel(1, 0)), 255);
}

TEST(TdvTrackIcon, TellsTheEndOfADragOnlyWhenItMoved)
{
    QWidget regua;
    regua.resize(300, 20);
    auto* icone = new TdvTrackIcon(&regua);
    icone->SetBitmapName(QStringLiteral("dvRulerUp"));
    icone->move(50, 0);
    icone->MinValue = 10;
    icone->MaxValue = 100;
    int fins = 0;
    icone->OnEndDrag = [&](QObject*) { ++fins; };

    Mouse(icone, QEvent::MouseButtonPress, 4, Qt::LeftButton);
    Mouse(icone, QEvent::MouseMove, 4, Qt::LeftButton);   // still on the press point
    Mouse(icone, QEvent::MouseButtonRelease, 4, Qt::NoButton);
    EXPECT_EQ(fins, 0);
    EXPECT_EQ(icone->x(), 50);

    Mouse(icone, QEvent::MouseButtonPress, 4, Qt::LeftButton);
    Mouse(icone, QEvent::MouseMove, 14, Qt::LeftButton);
    EXPECT_EQ(icone->x(), 60);
    Mouse(icone, QEvent::MouseMove, 200, Qt::LeftButton);
    EXPECT_EQ(icone->x(), 100);
    Mouse(icone, QEvent::MouseButtonRelease, 200, Qt::NoButton);
    EXPECT_EQ(fins, 1);
}

TEST(dvRichOle, NoObjectEmbeddingHere)
{
    IRichEditOle* interface = reinterpret_cast<IRichEditOle*>(&interface);
    EXPECT_FALSE(dvRichEditGetOleInterface(nullptr, interface));
    EXPECT_EQ(interface, nullptr);
    EXPECT_FALSE(dvRichEditSetOleCallback(nullptr, nullptr));
}
