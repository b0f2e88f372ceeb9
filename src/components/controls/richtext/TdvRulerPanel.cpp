#include "components/controls/richtext/TdvRulerPanel.h"

#include <QPainter>
#include <cmath>

#include "components/controls/datetime/TdvTrackIcon.h"
#include "components/controls/richtext/TdvCustomRichEdit.h"

double TdvRulerPanel::PixelsPorUnidade(double dpi, TdvMeasurementUnits unidade)
{
    return unidade == TdvMeasurementUnits::muCentimeters ? dpi / CentimetrosPorPolegada : dpi;
}

int TdvRulerPanel::PixelsParaTwips(int pixels, double dpi, TdvMeasurementUnits unidade)
{
    const double unidades = pixels / PixelsPorUnidade(dpi, unidade);
    const long long passo = unidade == TdvMeasurementUnits::muCentimeters ? 250 : 125;   // thousandths
    const long long milesimos = static_cast<long long>(std::floor(unidades * 1000.0 + 1e-6));
    const long long cortado = (milesimos >= 0 ? milesimos : milesimos - passo + 1) / passo * passo;
    double twips = static_cast<double>(cortado) / 1000.0 * TwipsPorPolegada;
    if (unidade == TdvMeasurementUnits::muCentimeters)
        twips /= CentimetrosPorPolegada;
    return static_cast<int>(twips + (twips >= 0 ? 1e-9 : -1e-9));   // toward zero, as typed measures are
}

int TdvRulerPanel::TwipsParaPixels(int twips, double dpi)
{
    return static_cast<int>(std::lround(twips * dpi / TwipsPorPolegada));
}

TdvRulerPanel::TdvRulerPanel(TdvCustomRichEdit& editor, QWidget* parent)
    : QFrame(parent)
    , FEditor(editor)
{
    setObjectName(QStringLiteral("Ruler"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    setFixedHeight(logicalDpiY() <= 96 ? 25 : 27);
    auto marcador = [this](const char* nome, const char* bitmap) {
        auto* m = new TdvTrackIcon(this);
        m->setObjectName(QLatin1String(nome));
        m->SetBitmapName(QLatin1String(bitmap));
        m->OnEndDrag = [this](QObject*) { AoSoltar(); };
        return m;
    };
    FirstIndent = marcador("FirstIndent", "dvRulerDown");
    LeftIndent = marcador("LeftIndent", "dvRulerUp");
    RightIndent = marcador("RightIndent", "dvRulerUp");
    connect(&editor, &TdvCustomRichEdit::SelectionChanged, this, &TdvRulerPanel::Acompanha);
}

double TdvRulerPanel::LarguraEmUnidades() const
{
    if (FEditor.EditWidth == TdvRichEditWidth::rewPrinterSize) {
        const double polegadas = FEditor.PrintableSize().width() / 96.0;
        return FEditor.MeasurementUnits == TdvMeasurementUnits::muCentimeters ? polegadas * CentimetrosPorPolegada
                                                                              : polegadas;
    }
    return (FEditor.viewport()->width() - 2 * Margem) / PixelsPorUnidade(logicalDpiX(), FEditor.MeasurementUnits);
}

int TdvRulerPanel::LarguraPixels() const
{
    return static_cast<int>(LarguraEmUnidades() * PixelsPorUnidade(logicalDpiX(), FEditor.MeasurementUnits));
}

void TdvRulerPanel::Coloca(TdvTrackIcon* marcador, int x)
{
    marcador->move(x - marcador->width() / 2, marcador->y());
}

int TdvRulerPanel::Centro(const TdvTrackIcon* marcador)
{
    return marcador->x() + marcador->width() / 2;
}

void TdvRulerPanel::Acompanha()
{
    const TdvParagraphFormat f = FEditor.GetParagraphFormat();
    const double dpi = logicalDpiX();
    FirstIndent->move(0, 1);
    LeftIndent->move(0, height() - LeftIndent->height() - 2);
    RightIndent->move(0, height() - RightIndent->height() - 2);
    Coloca(FirstIndent, Margem + TwipsParaPixels(f.StartIndentValue, dpi));
    Coloca(LeftIndent, Margem + TwipsParaPixels(f.StartIndentValue + f.OffsetValue, dpi));
    Coloca(RightIndent, Margem + LarguraPixels() - TwipsParaPixels(f.RightIndentValue, dpi));
    Limites();
    update();
}

void TdvRulerPanel::Limites()
{
    const int meio = FirstIndent->width() / 2;
    // The left markers stay at least 48 pixels left of the right one, and none passes the edges.
    for (TdvTrackIcon* m : {FirstIndent, LeftIndent}) {
        m->MinValue = std::max(1, Margem - meio);
        m->MaxValue = std::max(m->MinValue, RightIndent->x() - DistanciaMinima);
    }
    RightIndent->MinValue = std::max(FirstIndent->x(), LeftIndent->x()) + DistanciaMinima;
    RightIndent->MaxValue = Margem + LarguraPixels() - meio;
}

void TdvRulerPanel::AoSoltar()
{
    const double dpi = logicalDpiX();
    const TdvMeasurementUnits u = FEditor.MeasurementUnits;
    const int primeira = PixelsParaTwips(Centro(FirstIndent) - Margem, dpi, u);
    const int esquerda = PixelsParaTwips(Centro(LeftIndent) - Margem, dpi, u);
    const int direita = PixelsParaTwips(Margem + LarguraPixels() - Centro(RightIndent), dpi, u);
    TdvParagraphFormat f;
    f.Changes = TdvParagraphFormat::StartIndent | TdvParagraphFormat::Offset | TdvParagraphFormat::RightIndent;
    f.StartIndentValue = primeira;
    f.OffsetValue = esquerda - primeira;
    f.RightIndentValue = std::max(0, direita);
    FEditor.SetParagraphFormat(f);
    Acompanha();
}

void TdvRulerPanel::resizeEvent(QResizeEvent* e)
{
    QFrame::resizeEvent(e);
    Acompanha();
}

void TdvRulerPanel::paintEvent(QPaintEvent* e)
{
    QFrame::paintEvent(e);
    QPainter p(this);
    p.setPen(Qt::black);
    QFont fonte = font();
    fonte.setPixelSize(9);
    p.setFont(fonte);
    const double ppu = PixelsPorUnidade(logicalDpiX(), FEditor.MeasurementUnits);
    const int divisoes = FEditor.MeasurementUnits == TdvMeasurementUnits::muCentimeters ? 4 : 8;
    const double largura = LarguraEmUnidades();
    const int meio = height() / 2;
    for (int i = 0; i <= static_cast<int>(largura * divisoes); ++i) {
        const int x = Margem + static_cast<int>(std::lround(i * ppu / divisoes));
        if (i % divisoes == 0) {
            if (i > 0)
                p.drawText(QRect(x - 10, 0, 20, height()), Qt::AlignCenter, QString::number(i / divisoes));
        } else {
            const int comprimento = (i % (divisoes / 2) == 0) ? 4 : 2;
            p.drawLine(x, meio - comprimento / 2, x, meio + comprimento / 2);
        }
    }
}
