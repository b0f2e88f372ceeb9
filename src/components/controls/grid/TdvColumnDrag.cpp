#include "components/controls/grid/TdvColumnDrag.h"

#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cstdlib>

#include "components/controls/grid/TdvCustomDBGrid.h"
#include "platform/widgets/painting/TCanvas.h"

namespace {

constexpr int Limiar = 2;   // pixels the mouse moves before the drag starts
constexpr int IntervaloRolagem = 100;

}   // namespace

TdvColumnDrag::TdvColumnDrag(TdvCustomDBGrid& grid)
    : FGrid(grid)
{
    FTimer.setInterval(IntervaloRolagem);
    connect(&FTimer, &QTimer::timeout, this, [this] { Tick(); });
}

void TdvColumnDrag::Press(int coluna, int x, int y)
{
    Cancel();
    FColuna = coluna;
    FInicio = {x, y};
    FDeslocamentoX = x - FGrid.CellRect(coluna, 0).Left;
    FUltimoX = x;
}

void TdvColumnDrag::Move(int x, int y)
{
    if (!Pressed())
        return;
    if (!FArrastando) {
        if (std::abs(x - FInicio.x()) <= Limiar && std::abs(y - FInicio.y()) <= Limiar)
            return;
        Inicia();
    }
    if (x != FUltimoX)
        FParaDireita = x > FUltimoX;
    FUltimoX = x;
    FGrid.InvalidateRect(TRect::From(FArea));
    FArea = AreaDaImagem(x);
    FGrid.InvalidateRect(TRect::From(FArea));
}

void TdvColumnDrag::Inicia()
{
    FArrastando = true;
    FGrid.FTituloArrastado = true;
    const TRect titulo = FGrid.CellRect(FColuna, 0);
    int limite = FGrid.width() - 10;
    if (FGrid.verticalScrollBar()->isVisible())
        limite -= FGrid.verticalScrollBar()->width() + 1;
    if (FGrid.Options() & dgIndicator)
        limite -= FGrid.IndicatorWidth() + 2;
    const int largura = std::max(1, std::min(titulo.Width(), limite));
    const int altura = std::max(1, titulo.Height());
    FImagem = QPixmap(largura, altura);
    FImagem.fill(FGrid.TitleColor());
    {
        QPainter p(&FImagem);
        TCanvas canvas(p);
        FGrid.SetPaintCanvasOverride(&canvas);
        struct Devolve {
            TdvCustomDBGrid& grade;
            ~Devolve() { grade.SetPaintCanvasOverride(nullptr); }
        } devolve{FGrid};
        FGrid.DrawCell(FColuna, 0, {0, 0, titulo.Width(), altura}, gdFixed);
        p.setPen(Qt::black);
        p.setBrush(Qt::NoBrush);
        p.drawRect(0, 0, largura - 1, altura - 1);
    }
    FTimer.start();
}

QRect TdvColumnDrag::AreaDaImagem(int x) const
{
    return {x - FDeslocamentoX, FGrid.DragVertOffset(), FImagem.width(), FImagem.height()};
}

void TdvColumnDrag::Tick()
{
    if (!FArrastando)
        return;
    const int esquerda = FGrid.LeftCol();
    if (FParaDireita && FArea.right() + 1 > FGrid.ClientWidth()
        && FGrid.LeftCol() + FGrid.VisibleColCount() < FGrid.ColCount())
        FGrid.SetLeftCol(esquerda + 1);
    else if (!FParaDireita && FUltimoX < FGrid.CellRect(FGrid.LeftCol(), 0).Left && esquerda > FGrid.FixedCols())
        FGrid.SetLeftCol(esquerda - 1);
    if (FGrid.LeftCol() != esquerda)
        FGrid.InvalidateGrid();
}

void TdvColumnDrag::Termina()
{
    FTimer.stop();
    if (FArrastando)
        FGrid.InvalidateRect(TRect::From(FArea));
    FImagem = QPixmap();
    FArea = {};
    FArrastando = false;
    FColuna = -1;
}

bool TdvColumnDrag::Release(int x, int)
{
    if (!Pressed())
        return false;
    if (!FArrastando) {
        Termina();
        return false;
    }
    const int inicio = FColuna;
    Termina();
    int alvo = FGrid.MouseCoord(x, 0).X;
    if (alvo < 0) {
        // Right of the last column shown, with none further: the last column.
        const bool semMais = FGrid.LeftCol() + FGrid.VisibleColCount() >= FGrid.ColCount();
        alvo = x >= FGrid.GridWidth() && semMais ? FGrid.ColCount() - 1 : inicio;
    }
    alvo = std::max(alvo, FGrid.FixedCols());
    FGrid.SetPressedTitle(-1, -1);
    if (alvo == inicio)
        FGrid.InvalidateCell(inicio, 0);
    else
        FGrid.MoveColumn(inicio, alvo);
    return true;
}

void TdvColumnDrag::Cancel()
{
    if (!Pressed())
        return;
    Termina();
    FGrid.SetPressedTitle(-1, -1);
    FGrid.FTituloArrastado = false;
}

void TdvColumnDrag::Paint(QPainter& p) const
{
    if (FArrastando && !FImagem.isNull())
        p.drawPixmap(FArea.topLeft(), FImagem);
}
