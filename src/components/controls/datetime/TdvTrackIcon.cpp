#include "components/controls/datetime/TdvTrackIcon.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

namespace {

// A marker 9 pixels wide pointing up or down, on white (its bottom-left pixel) so that only the
// marker is drawn.
QPixmap Marcador(bool paraCima)
{
    QPixmap p(9, 8);
    p.fill(Qt::white);
    QPainter pintor(&p);
    pintor.setPen(Qt::black);
    pintor.setBrush(QColor(192, 192, 192));
    const QPolygon seta = paraCima ? QPolygon({QPoint(4, 0), QPoint(8, 4), QPoint(8, 6), QPoint(1, 6), QPoint(1, 4)})
                                   : QPolygon({QPoint(1, 0), QPoint(8, 0), QPoint(8, 2), QPoint(4, 6), QPoint(1, 2)});
    pintor.drawPolygon(seta);
    return p;
}

}   // namespace

TdvTrackIcon::TdvTrackIcon(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

QPixmap TdvTrackIcon::LoadBitmap(const QString& nome)
{
    if (nome.compare(QStringLiteral("dvRulerUp"), Qt::CaseInsensitive) == 0)
        return Marcador(true);
    if (nome.compare(QStringLiteral("dvRulerDown"), Qt::CaseInsensitive) == 0)
        return Marcador(false);
    return {};
}

void TdvTrackIcon::SetBitmapName(const QString& nome)
{
    if (nome == FBitmapName)
        return;
    FBitmapName = nome;
    if (!nome.isEmpty()) {
        FBitmap = LoadBitmap(nome);
        resize(FBitmap.size());
    }
    update();
}

QPixmap TdvTrackIcon::Transparent(const QPixmap& bitmap)
{
    if (bitmap.isNull())
        return bitmap;
    const QImage imagem = bitmap.toImage();
    const QRgb fundo = imagem.pixel(0, imagem.height() - 1);
    QPixmap resultado = bitmap;
    resultado.setMask(QBitmap::fromImage(imagem.createMaskFromColor(fundo, Qt::MaskInColor)));
    return resultado;
}

int TdvTrackIcon::DragLeft(int left, int cursorX, int pressX, int minValue, int maxValue)
{
    int novo = left + cursorX - pressX;
    if (minValue != 0)
        novo = std::max(novo, minValue);
    if (maxValue != 0)
        novo = std::min(novo, maxValue);
    return novo;
}

void TdvTrackIcon::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(0, 0, Transparent(FBitmap));
}

void TdvTrackIcon::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(e);
        return;
    }
    FPressX = e->position().toPoint().x();
    FDragging = true;
    FMoved = false;
}

void TdvTrackIcon::mouseMoveEvent(QMouseEvent* e)
{
    if (!FDragging)
        return;
    const int cursor = e->position().toPoint().x();
    // Until the cursor leaves the press point, a move is only the press trembling.
    if (!FMoved && cursor == FPressX)
        return;
    FMoved = true;
    move(DragLeft(x(), cursor, FPressX, MinValue, MaxValue), y());
}

void TdvTrackIcon::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || !FDragging) {
        QWidget::mouseReleaseEvent(e);
        return;
    }
    FDragging = false;
    if (FMoved && OnEndDrag)
        OnEndDrag(this);
}
