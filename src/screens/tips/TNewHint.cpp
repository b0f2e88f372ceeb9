#include "screens/tips/TNewHint.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <algorithm>

namespace {

bool ParaCima(THintDirection d)
{
    return d == THintDirection::hdUpRight || d == THintDirection::hdUpLeft;
}

bool ParaDireita(THintDirection d)
{
    return d == THintDirection::hdUpRight || d == THintDirection::hdDownRight;
}

// Where the search goes when a direction's horizontal or vertical test fails.
THintDirection SeHorizontalFalha(THintDirection d)
{
    switch (d) {
    case THintDirection::hdUpRight:
        return THintDirection::hdUpLeft;
    case THintDirection::hdUpLeft:
        return THintDirection::hdUpRight;
    case THintDirection::hdDownRight:
        return THintDirection::hdDownLeft;
    case THintDirection::hdDownLeft:
        return THintDirection::hdDownRight;
    }
    return d;
}

THintDirection SeVerticalFalha(THintDirection d)
{
    switch (d) {
    case THintDirection::hdUpRight:
        return THintDirection::hdDownRight;
    case THintDirection::hdUpLeft:
        return THintDirection::hdDownLeft;
    case THintDirection::hdDownRight:
        return THintDirection::hdUpRight;
    case THintDirection::hdDownLeft:
        return THintDirection::hdUpLeft;
    }
    return d;
}

// Sets the pixels of the dotted fill (x and y both even or both odd) within the bounds,
// inclusive, that lie inside the area.
void Pontilha(QPainter& p, const QPainterPath& area, int x1, int x2, int y1, int y2, const QColor& cor)
{
    p.setPen(cor);
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x)
            if ((x % 2) == (y % 2) && area.contains(QPointF(x + 0.5, y + 0.5)))
                p.drawPoint(x, y);
}

}   // namespace

TNewHint::TNewHint(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

QSize TNewHint::MedeTexto(const QString& texto, QFont fonte)
{
    fonte.setFamily(QStringLiteral("Arial"));
    fonte.setPointSize(8);
    const QRect r = QFontMetrics(fonte).boundingRect(QRect(0, 0, LarguraDeMedida, 100000), Qt::TextWordWrap, texto);
    return {r.width() + 6, r.height() + 2};
}

TPosicaoBalao TNewHint::Posiciona(QPoint cursor, QSize tela, QSize medida, THintDirection primeira)
{
    const int x = cursor.x();
    const int y = cursor.y();
    const int w = medida.width() + 16;
    const int hCima = medida.height() + 20;
    const int hBaixo = medida.height() + 29;
    const auto horizontal = [&](THintDirection d) { return ParaDireita(d) ? x + w <= tela.width() : x + 6 - w >= 0; };
    const auto vertical = [&](THintDirection d) {
        return ParaCima(d) ? y - 10 - hCima >= 0 : y + 30 + hBaixo <= tela.height();
    };
    const auto posicao = [&](THintDirection d, bool cabe) {
        TPosicaoBalao r;
        r.Cabe = cabe;
        r.Direcao = d;
        const int esquerda = ParaDireita(d) ? x : x + 6 - w;
        const int altura = ParaCima(d) ? hCima : hBaixo;
        const int topo = ParaCima(d) ? y - 10 - hCima : y + 30;
        r.Janela = QRect(esquerda, topo, medida.width() + 22, altura);
        r.Ponta = QPoint(ParaDireita(d) ? x : x + 6, ParaCima(d) ? y - 10 : y + 30);
        return r;
    };
    // Each failed test names the next direction; a direction met twice ends the search.
    THintDirection d = primeira;
    bool visitada[4] = {};
    while (!visitada[static_cast<int>(d)]) {
        visitada[static_cast<int>(d)] = true;
        if (!horizontal(d))
            d = SeHorizontalFalha(d);
        else if (!vertical(d))
            d = SeVerticalFalha(d);
        else
            return posicao(d, true);
    }
    // Fits nowhere: the first direction, moved onto the screen as far as it goes.
    TPosicaoBalao r = posicao(primeira, false);
    const QPoint canto(std::clamp(r.Janela.left(), 0, std::max(0, tela.width() - r.Janela.width())),
                       std::clamp(r.Janela.top(), 0, std::max(0, tela.height() - r.Janela.height())));
    r.Ponta += canto - r.Janela.topLeft();
    r.Janela.moveTopLeft(canto);
    return r;
}

void TNewHint::Desenha(QPainter& p, QSize tamanho, THintDirection direcao, const QString& texto,
                       const TAparenciaBalao& a)
{
    const int W = tamanho.width();
    const int H = tamanho.height();
    const int R = a.Raio;
    const bool cima = ParaCima(direcao);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);

    // 1. The body's shadow, in two strips along its right and bottom edges.
    QPainterPath sombra;
    const QRect corpoSombra = cima ? QRect(QPoint(10, 8), QPoint(W - 1, H - 9))
                                   : QRect(QPoint(10, 23), QPoint(W - 1, H - 3));
    sombra.addRoundedRect(corpoSombra, (R - 1) / 2.0, (R - 1) / 2.0);
    if (cima) {
        Pontilha(p, sombra, W - 14, W, 8, H - 14, a.Sombra);
        Pontilha(p, sombra, 10, W, H - 14, H - 9, a.Sombra);
    } else {
        Pontilha(p, sombra, W - 14, W, 23, H - 8, a.Sombra);
        Pontilha(p, sombra, 10, W, H - 8, H - 2, a.Sombra);
    }

    // The pointer's base points and tip.
    QPoint base1, base2, ponta;
    switch (direcao) {
    case THintDirection::hdUpRight:
        base1 = {10, H - 15};
        base2 = {20, H - 15};
        ponta = {0, H};
        break;
    case THintDirection::hdUpLeft:
        base1 = {W - 26, H - 15};
        base2 = {W - 16, H - 15};
        ponta = {W - 6, H};
        break;
    case THintDirection::hdDownRight:
        base1 = {10, 15};
        base2 = {20, 15};
        ponta = {0, 0};
        break;
    case THintDirection::hdDownLeft:
        base1 = {W - 26, 15};
        base2 = {W - 16, 15};
        ponta = {W - 6, 0};
        break;
    }

    // 2. The pointer's shadow, upward only.
    if (cima) {
        const QPolygon triangulo = direcao == THintDirection::hdUpRight
            ? QPolygon({{12, H - 15}, {25, H - 15}, {12, H}})
            : QPolygon({{W - 33, H - 15}, {W - 11, H - 15}, {W - 6, H}});
        QPainterPath area;
        area.addPolygon(triangulo);
        area.closeSubpath();
        const QRect limites = triangulo.boundingRect();
        Pontilha(p, area, limites.left(), limites.right(), limites.top(), limites.bottom(), a.Sombra);
    }

    // 3. The body.
    const QRect corpo = cima ? QRect(QPoint(0, 0), QPoint(W - 7, H - 15)) : QRect(QPoint(0, 15), QPoint(W - 7, H - 9));
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(a.Cor);
    p.drawRoundedRect(corpo, R / 2.0, R / 2.0);

    // 4. The pointer: its base opens the body's outline.
    p.setPen(QPen(a.Cor, 1));
    p.drawLine(base1, base2);
    p.setBrush(a.Cor);
    p.drawPolygon(QPolygon({base1, base2, ponta}));
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(base2, ponta);
    p.drawLine(ponta, base1);

    // 5. The text.
    p.setFont(a.Fonte);
    p.setPen(Qt::black);
    const QRect caixa = cima ? QRect(QPoint(8, 3), QPoint(W - 9, H - 1)) : QRect(QPoint(8, 18), QPoint(W - 9, H - 1));
    p.drawText(caixa, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, texto);
    p.restore();
}

void TNewHint::Ativa(const QString& texto, QPoint cursor, THintDirection primeira, const TAparenciaBalao& aparencia)
{
    FCaption = texto;
    FAparencia = aparencia;
    QFont fonte = aparencia.Fonte;
    fonte.setFamily(QStringLiteral("Arial"));
    fonte.setPointSize(8);
    FAparencia.Fonte = fonte;
    QScreen* tela = QGuiApplication::screenAt(cursor);
    if (!tela)
        tela = QGuiApplication::primaryScreen();
    const QRect area = tela ? tela->geometry() : QRect(0, 0, 800, 600);
    TPosicaoBalao pos = Posiciona(cursor - area.topLeft(), area.size(), MedeTexto(texto, fonte), primeira);
    FDirecao = pos.Direcao;
    // Without a compositor a translucent window shows black where it is clear: what the screen
    // holds under the balloon is painted there instead.
    hide();
    const QRect janela = pos.Janela.translated(area.topLeft());
    FFundo = tela ? tela->grabWindow(0, janela.x() - area.x(), janela.y() - area.y(), janela.width(), janela.height())
                  : QPixmap();
    setGeometry(janela);
    show();
    raise();
    update();
}

void TNewHint::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    if (FFundo.isNull())
        p.fillRect(rect(), Qt::transparent);
    else
        p.drawPixmap(0, 0, FFundo);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    Desenha(p, size(), FDirecao, FCaption, FAparencia);
}
