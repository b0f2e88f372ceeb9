#include "components/controls/grid/dvGridPaint.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <array>
#include <memory>

#include "components/controls/grid/dvGridLayout.h"
#include "platform/widgets/painting/TCanvas.h"

namespace {

constexpr int BordaJanela = 1;

Qt::Alignment Alinhamento(TAlignment alinhamento)
{
    switch (alinhamento) {
    case taRightJustify:
        return Qt::AlignRight;
    case taCenter:
        return Qt::AlignHCenter;
    case taLeftJustify:
        break;
    }
    return Qt::AlignLeft;
}

}   // namespace

bool dvIsSingleLineHeight(const QFont& font, const TRect& cell)
{
    return QFontMetrics(font).height() + 2 * BordaJanela >= cell.Height();
}

void dvWriteTextRect(TCanvas& canvas, const TRect& cell, int dx, unsigned flags, TAlignment alignment,
                     const QString& text, int dy)
{
    QPainter& p = canvas.Painter();
    p.save();
    p.setClipRect(cell.ToQRect(), Qt::IntersectClip);
    if (flags & wtKeepPicture) {
        p.setCompositionMode(QPainter::CompositionMode_Multiply);
        canvas.FillRect(cell);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    } else if (!(flags & wtNoFill)) {
        canvas.FillRect(cell);
    }
    const TRect local = dvCellTextRect(alignment, cell.Width(), cell.Height(), dx, dy);
    const QRect area(cell.Left + local.Left, cell.Top + local.Top, local.Width(), local.Height());
    const bool umaLinha = dvIsSingleLineHeight(canvas.Font.Font, cell);
    const bool quebra = (flags & wtWordWrap) && !umaLinha && !(flags & wtEllipsis);
    int formato = static_cast<int>(Alinhamento(alignment)) | Qt::AlignTop | Qt::TextExpandTabs;
    if (flags & wtPrefix)
        formato |= Qt::TextShowMnemonic;
    if (quebra)
        formato |= Qt::TextWordWrap;
    QString texto = text;
    if (flags & wtEllipsis) {
        const QFontMetrics medidas(canvas.Font.Font);
        QStringList linhas = text.split(QLatin1Char('\n'));
        for (QString& linha : linhas)
            linha = medidas.elidedText(linha, Qt::ElideRight, std::max(0, area.width()));
        texto = linhas.join(QLatin1Char('\n'));
    }
    canvas.ApplyFont();
    p.drawText(area, formato, texto);
    p.restore();
}

void dvDrawGridCheckBox(QPainter& p, const TRect& box, bool checked, bool readOnly, bool tickStyle, const QPalette& pal)
{
    const int x = box.Left;
    const int y = box.Top;
    const QColor cinza(128, 128, 128);
    const QColor fundo = tickStyle && readOnly ? QColor(212, 208, 200) : pal.color(QPalette::Base);
    p.save();
    p.fillRect(QRect(x, y, 10, 10), fundo);
    // Outer frame, one pixel around the box.
    p.fillRect(QRect(x - 1, y - 1, 12, 1), cinza);
    p.fillRect(QRect(x - 1, y - 1, 1, 12), cinza);
    p.fillRect(QRect(x - 1, y + 10, 12, 1), Qt::white);
    p.fillRect(QRect(x + 10, y - 1, 1, 12), Qt::white);
    // Inner frame, on the box's own edge.
    const QColor claroDentro = tickStyle ? pal.color(QPalette::Midlight)
                                         : pal.color(QPalette::Disabled, QPalette::Text);
    p.fillRect(QRect(x, y, 10, 1), Qt::black);
    p.fillRect(QRect(x, y, 1, 10), Qt::black);
    p.fillRect(QRect(x, y + 9, 10, 1), claroDentro);
    p.fillRect(QRect(x + 9, y, 1, 10), claroDentro);
    if (checked) {
        if (tickStyle) {
            const QColor marca = readOnly ? QColor(128, 128, 128) : QColor(Qt::black);
            static constexpr std::array<int, 7> topos = {3, 4, 5, 4, 3, 2, 1};
            for (int i = 0; i < 7; ++i)
                p.fillRect(QRect(x + 1 + i, y + topos[static_cast<std::size_t>(i)], 1, 3), marca);
        } else {
            for (int i = 0; i < 6; ++i) {
                p.fillRect(QRect(x + 2 + i, y + 2 + i, 2, 1), Qt::black);
                p.fillRect(QRect(x + 6 - i, y + 2 + i, 2, 1), Qt::black);
            }
        }
    }
    p.restore();
}

// ---- shared resources ----

namespace {

struct Recursos {
    std::array<QImage, 3> indicadores;
};

int& Usuarios()
{
    static int usuarios = 0;
    return usuarios;
}

std::unique_ptr<Recursos>& Compartilhados()
{
    static std::unique_ptr<Recursos> recursos;
    return recursos;
}

QImage Marca(TdvIndicatorKind tipo)
{
    QImage imagem(6, 9, QImage::Format_RGB32);
    imagem.fill(Qt::white);
    QPainter p(&imagem);
    switch (tipo) {
    case TdvIndicatorKind::Arrow:
        for (int i = 0; i <= 4; ++i)
            p.fillRect(QRect(i, i, 1, 9 - 2 * i), Qt::black);
        break;
    case TdvIndicatorKind::Edit:
        p.fillRect(QRect(0, 0, 2, 1), Qt::black);
        p.fillRect(QRect(3, 0, 2, 1), Qt::black);
        p.fillRect(QRect(2, 1, 1, 7), Qt::black);
        p.fillRect(QRect(0, 8, 2, 1), Qt::black);
        p.fillRect(QRect(3, 8, 2, 1), Qt::black);
        break;
    case TdvIndicatorKind::Insert:
        p.fillRect(QRect(2, 1, 1, 7), Qt::black);
        p.fillRect(QRect(0, 4, 5, 1), Qt::black);
        for (int i = 0; i < 5; ++i) {
            p.fillRect(QRect(i, 2 + i, 1, 1), Qt::black);
            p.fillRect(QRect(4 - i, 2 + i, 1, 1), Qt::black);
        }
        break;
    }
    return imagem;
}

void Cria()
{
    auto recursos = std::make_unique<Recursos>();
    for (const TdvIndicatorKind tipo : {TdvIndicatorKind::Arrow, TdvIndicatorKind::Edit, TdvIndicatorKind::Insert})
        recursos->indicadores[static_cast<std::size_t>(tipo)] = Marca(tipo);
    Compartilhados() = std::move(recursos);
}

}   // namespace

void TdvGridResources::Acquire()
{
    if (Usuarios()++ == 0 || !Compartilhados())
        Cria();
}

void TdvGridResources::Release()
{
    if (Usuarios() > 0 && --Usuarios() == 0)
        Compartilhados().reset();
}

const QImage& TdvGridResources::Indicator(TdvIndicatorKind kind)
{
    if (!Compartilhados())
        Cria();
    return Compartilhados()->indicadores[static_cast<std::size_t>(kind)];
}

QImage TdvGridResources::YellowArrow(const QColor& background)
{
    QImage copia = Indicator(TdvIndicatorKind::Arrow).copy();
    for (int y = 0; y < copia.height(); ++y)
        for (int x = 0; x < copia.width(); ++x)
            copia.setPixelColor(x, y, copia.pixelColor(x, y) == Qt::white ? background : QColor(Qt::yellow));
    return copia;
}
