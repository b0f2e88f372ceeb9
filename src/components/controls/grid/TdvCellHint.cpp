#include "components/controls/grid/TdvCellHint.h"

#include <QCursor>
#include <QFontMetrics>
#include <QScreen>
#include <algorithm>

#include "components/controls/grid/TdvCustomDBGrid.h"
#include "components/controls/grid/TdvGridDataLink.h"
#include "platform/db/datasets/TField.h"
#include "platform/widgets/grid/TInplaceEdit.h"

namespace {

constexpr int IntervaloDaDica = 250;
constexpr int TiquesMinimos = 16;

}   // namespace

TdvCellHint::TdvCellHint(TdvCustomDBGrid& grid)
    : FGrid(grid)
{
    FTimer.setInterval(IntervaloDaDica);
    connect(&FTimer, &QTimer::timeout, this, [this] { Tick(); });
}

TdvCellHint::~TdvCellHint() = default;

void TdvCellHint::Hide()
{
    FTimer.stop();
    FJanela.reset();
}

void TdvCellHint::MouseMoved(int x, int y)
{
    const TGridCoord celula = FGrid.MouseCoord(x, y);
    if (celula == FUltima)
        return;
    FUltima = celula;
    Hide();
    if (celula.X == FGrid.Col() && celula.Y == FGrid.Row()) {
        const TInplaceEdit* editor = FGrid.InplaceEditor();
        const QWidget* controle = FGrid.CurrentCellControl();
        if ((editor && editor->Visible()) || (controle && controle->isVisible()))
            return;
    }
    if (!FGrid.IsDataCell(celula.X, celula.Y))
        return;
    const int dataCol = celula.X - FGrid.IndicatorOffset();
    QString texto;
    TField* campo = nullptr;
    bool esquerda = false;
    {
        TdvRegistroMomentaneo registro(FGrid.DataLink(), celula.Y - FGrid.TitleOffset());
        campo = FGrid.Fields(dataCol);
        if (campo && !(campo->IsBlob() && campo->DataType() != ftMemo)) {
            FGrid.FDesenho.ForcaEsquerda = false;
            FGrid.GetFieldText(dataCol, texto);
            esquerda = FGrid.FDesenho.ForcaEsquerda;
        }
    }
    if (!texto.isEmpty())
        Mostra(celula.X, celula.Y, campo, texto, esquerda);
}

void TdvCellHint::Mostra(int coluna, int linha, TField* campo, const QString& texto, bool esquerda)
{
    const TRect r = FGrid.CellRect(coluna, linha);
    TFont fonte{FGrid.font(), FGrid.palette().color(QPalette::Text)};
    TBrush pincel{FGrid.Color()};
    FGrid.DoCalcCellColors(campo, 0, false, fonte, pincel);
    const bool quebra = FGrid.Options() & dgWordWrap;
    const QFontMetrics medidas(fonte.Font);
    const int formato = Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs | (quebra ? Qt::TextWordWrap : 0);
    const QRect medido = medidas.boundingRect(QRect(0, 0, std::max(1, r.Width() - 4), 100000), formato, texto);
    if (medido.width() < r.Width() - 1 && medido.height() <= r.Height())
        return;

    FJanela.reset(FGrid.CreateHintWindow(campo));
    FTiques = 0;
    FTimer.start();
    FJanela->Alignment = esquerda || !campo ? taLeftJustify : campo->Alignment();
    FJanela->WordWrap = true;
    const QRect tela = FGrid.screen() ? FGrid.screen()->geometry() : QRect(0, 0, 1024, 768);
    const int alturaPadrao = r.Height() - 2;
    int alturaMaxima = alturaPadrao;
    int larguraMaxima = tela.width();
    bool padrao = true;
    FGrid.DoCreateHintWindow(FJanela.get(), campo, FJanela->WordWrap, larguraMaxima, alturaMaxima, padrao, r);
    larguraMaxima = std::max(larguraMaxima, r.Width() - 4);
    if (!padrao)
        return;
    const QFontMetrics daJanela(FJanela->font());
    const int formatoJanela = Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs
        | (FJanela->WordWrap ? Qt::TextWordWrap : 0);
    const QRect texto2 = daJanela.boundingRect(QRect(0, 0, larguraMaxima, std::max(1, alturaMaxima)), formatoJanela,
                                               texto);
    const int largura = std::min(texto2.width(), larguraMaxima) + 8;
    const int altura = std::min(texto2.height(), std::max(1, alturaMaxima));
    QRect area(r.Left, r.Top, largura, r.Height());
    if (alturaMaxima != alturaPadrao)
        area.setHeight(std::max(r.Height(), altura + 4));
    if (FJanela->Alignment != taLeftJustify)
        area.moveRight(r.Right - 1);
    area.moveTopLeft(FGrid.viewport()->mapToGlobal(area.topLeft()) - QPoint(0, 1));
    if (area.right() > tela.right())
        area.moveRight(tela.right());
    FJanela->ActivateHint(area, texto);
}

void TdvCellHint::Tick()
{
    if (!FJanela)
        return;
    const QPoint mouse = FGrid.viewport()->mapFromGlobal(QCursor::pos());
    const QRect celula = FGrid.CellRect(FUltima.X, FUltima.Y).ToQRect().adjusted(-1, -1, 1, 1);
    const QRect cliente(0, 0, FGrid.ClientWidth(), FGrid.GridHeight());
    if (!celula.contains(mouse) || !cliente.contains(mouse)) {
        Hide();
        FUltima = {};
        return;
    }
    if (++FTiques > std::max(TiquesMinimos, THintWindow::HintHidePause() / IntervaloDaDica))
        Hide();
}
