#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "screens/calculator/TCLEDLabel.h"

namespace {

const QColor Aceso(Qt::black);
const QColor Apagado(Qt::white);
const QColor Fundo(128, 128, 128);

// The display of the calculator, painted on an image.
QImage Pinta(const QString& texto, bool erro = false)
{
    TCLEDLabel led;
    led.resize(209, 30);
    led.SetBorderGap(1);
    led.SetOnColor(Aceso);
    led.SetOffColor(Apagado);
    led.SetBackGroundColor(Fundo);
    led.SetTexto(texto);
    led.SetErro(erro);
    QImage imagem(209, 30, QImage::Format_RGB32);
    imagem.fill(Qt::red);
    QPainter p(&imagem);
    led.Pinta(p);
    return imagem;
}

// A point of element e of cell c (x from the cell's origin with BorderGap 1).
QPoint Em(int celula, int x, int y)
{
    return {16 * celula + 1 + x, y};
}

// One pixel inside each segment a to g.
const QPoint Segmento[] = {{6, 1}, {10, 7}, {10, 18}, {6, 25}, {1, 18}, {1, 7}, {6, 12}};

}   // namespace

TEST(TCLEDLabel, DigitsLightTheirSegments)
{
    const QImage imagem = Pinta(QStringLiteral("0123456789"));
    // The text ends in the rightmost cell: "9" in cell 12, "0" in cell 3.
    for (int d = 0; d <= 9; ++d) {
        const int celula = 3 + d;
        const std::uint8_t padrao = TCLEDLabel::Padrao(QChar(u'0' + d));
        for (int s = 0; s < 7; ++s) {
            SCOPED_TRACE(testing::Message() << "digit " << d << " segment " << s);
            const QPoint p = Em(celula, Segmento[s].x(), Segmento[s].y());
            EXPECT_EQ(QColor(imagem.pixel(p)), (padrao >> s) & 1 ? Aceso : Apagado);
        }
    }
    // Cells without a character show the background.
    EXPECT_EQ(QColor(imagem.pixel(Em(2, 6, 1))), Fundo);
}

TEST(TCLEDLabel, SegmentAOfTheRightmostCellSpansItsColumns)
{
    const QImage imagem = Pinta(QStringLiteral("8"));
    const struct {
        int x, y;
        QColor cor;
    } casos[] = {
        {195, 2, Aceso}, {203, 2, Aceso}, {196, 1, Aceso}, {202, 1, Aceso},
        {194, 2, Fundo}, {204, 2, Fundo}, {195, 1, Fundo},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(QColor(imagem.pixel(c.x, c.y)), c.cor);
    }
}

TEST(TCLEDLabel, SignsAndSeparatorsShareTheCellOfTheDigitToTheirLeft)
{
    const QImage imagem = Pinta(QStringLiteral("-12,5"));
    const struct {
        QPoint p;
        QColor cor;
        const char* oque;
    } casos[] = {
        {Em(12, 6, 1), Aceso, "5: a"},
        {Em(12, 10, 7), Apagado, "5: b"},
        {Em(11, 14, 25), Aceso, "comma after 2"},
        {Em(11, 6, 1), Aceso, "2: a"},
        {Em(10, 10, 7), Aceso, "1: b"},
        {Em(10, 6, 1), Apagado, "1: a"},
        {Em(9, 6, 12), Aceso, "minus"},
        {Em(9, 6, 1), Fundo, "nothing else in the minus's cell"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.oque);
        EXPECT_EQ(QColor(imagem.pixel(c.p)), c.cor);
    }
    const QImage ponto = Pinta(QStringLiteral("1.234"));
    EXPECT_EQ(QColor(ponto.pixel(Em(9, 14, 24))), Aceso);
}

TEST(TCLEDLabel, TheErrorStateReadsErroWhateverTheText)
{
    const QImage imagem = Pinta(QStringLiteral("123"), true);
    const struct {
        int celula;
        std::uint8_t padrao;
    } casos[] = {{12, 92}, {11, 80}, {10, 80}, {9, 121}};
    for (const auto& c : casos) {
        for (int s = 0; s < 7; ++s) {
            SCOPED_TRACE(testing::Message() << "cell " << c.celula << " segment " << s);
            EXPECT_EQ(QColor(imagem.pixel(Em(c.celula, Segmento[s].x(), Segmento[s].y()))),
                      (c.padrao >> s) & 1 ? Aceso : Apagado);
        }
    }
    EXPECT_EQ(QColor(imagem.pixel(Em(8, 6, 1))), Fundo);
}

TEST(TCLEDLabel, MoreThanThirteenDigitsShowTheLastThirteen)
{
    const QImage imagem = Pinta(QStringLiteral("91234567890123"));
    // Cell 0 holds "1" (segments b and c only); the "9" is not drawn.
    EXPECT_EQ(QColor(imagem.pixel(Em(0, 10, 7))), Aceso);
    EXPECT_EQ(QColor(imagem.pixel(Em(0, 6, 1))), Apagado);
}
