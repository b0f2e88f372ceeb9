#include "screens/calculator/TCLEDLabel.h"

#include <QPainter>
#include <QPolygon>

#include "platform/widgets/painting/SystemColors.h"

namespace {

// The corners of each element, x from the cell's origin and y from the control's top: the
// segments a to g (g is also the minus sign), then the comma. The point is a rectangle.
constexpr int Segmentos = 7;
constexpr int Virgula = 7;
constexpr int Ponto = 8;
const QPolygon& Forma(int elemento)
{
    static const QPolygon formas[] = {
        QPolygon({{3, 1}, {9, 1}, {10, 2}, {2, 2}}),
        QPolygon({{11, 3}, {11, 11}, {10, 11}, {10, 3}}),
        QPolygon({{11, 14}, {11, 23}, {10, 23}, {10, 14}}),
        QPolygon({{3, 25}, {9, 25}, {10, 24}, {2, 24}}),
        QPolygon({{1, 14}, {1, 23}, {2, 23}, {2, 14}}),
        QPolygon({{1, 3}, {1, 11}, {2, 11}, {2, 3}}),
        QPolygon({{4, 12}, {8, 12}, {9, 13}, {3, 13}}),
        QPolygon({{14, 24}, {14, 26}, {13, 28}, {15, 26}, {15, 24}}),
    };
    return formas[elemento];
}

// "Erro" from the right: o, r, r, E.
constexpr std::uint8_t PadroesErro[] = {92, 80, 80, 121};

}   // namespace

TCLEDLabel::TCLEDLabel(QWidget* parent)
    : QWidget(parent)
    , FOffColor(SystemColors::BtnFace())
    , FBackGroundColor(SystemColors::BtnFace())
{
    resize(15, 34);
}

void TCLEDLabel::SetBorderGap(int valor)
{
    FBorderGap = valor;
    update();
}

void TCLEDLabel::SetOnColor(const QColor& cor)
{
    FOnColor = cor;
    update();
}

void TCLEDLabel::SetOffColor(const QColor& cor)
{
    FOffColor = cor;
    update();
}

void TCLEDLabel::SetBackGroundColor(const QColor& cor)
{
    FBackGroundColor = cor;
    update();
}

void TCLEDLabel::SetTexto(const QString& texto)
{
    FTexto = texto;
    update();
}

void TCLEDLabel::SetErro(bool erro)
{
    FErro = erro;
    update();
}

std::uint8_t TCLEDLabel::Padrao(QChar digito)
{
    static constexpr std::uint8_t padroes[] = {63, 6, 91, 79, 102, 109, 125, 39, 127, 111};
    return digito >= u'0' && digito <= u'9' ? padroes[digito.unicode() - u'0'] : 0;
}

void TCLEDLabel::DesenhaElemento(QPainter& p, int celula, int elemento, const QColor& cor) const
{
    const int x0 = LarguraCelula * celula + FBorderGap;
    p.setPen(QPen(cor, 1));
    p.setBrush(cor);
    if (elemento == Ponto)
        p.fillRect(QRect(x0 + 14, 23, 2, 3), cor);
    else
        p.drawPolygon(Forma(elemento).translated(x0, 0));
}

void TCLEDLabel::DesenhaDigito(QPainter& p, int celula, std::uint8_t padrao) const
{
    for (int s = 0; s < Segmentos; ++s)
        DesenhaElemento(p, celula, s, (padrao >> s) & 1 ? FOnColor : FOffColor);
}

void TCLEDLabel::Pinta(QPainter& p) const
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(rect(), FBackGroundColor);
    if (FErro) {
        for (int i = 0; i < 4; ++i)
            DesenhaDigito(p, Celulas - 1 - i, PadroesErro[i]);
        p.restore();
        return;
    }
    int celula = Celulas - 1;
    for (auto i = FTexto.size(); i-- > 0 && celula >= 0;) {
        const QChar c = FTexto.at(i);
        if (c.isDigit() && c.unicode() < 128) {
            DesenhaDigito(p, celula--, Padrao(c));
        } else if (c == u',') {
            DesenhaElemento(p, celula, Virgula, FOnColor);
        } else if (c == u'.') {
            DesenhaElemento(p, celula, Ponto, FOnColor);
        } else if (c == u'-') {
            DesenhaElemento(p, celula, 6, FOnColor);
        }
    }
    p.restore();
}

void TCLEDLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    Pinta(p);
}
