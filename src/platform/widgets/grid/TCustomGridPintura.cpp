// How the grid paints its cells and lines.
#include "platform/widgets/grid/TCustomGrid.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "platform/widgets/painting/TEdgePainter.h"

namespace {

const QColor CorLinhaFixa(0, 0, 0);
const QColor CorLinha(192, 192, 192);

// Keeps the canvas pointer set only for the paint in progress.
class CanvasDaPintura {
public:
    CanvasDaPintura(TCanvas*& destino, TCanvas& canvas)
        : FDestino(destino)
        , FAntes(destino)
    {
        destino = &canvas;
    }
    ~CanvasDaPintura() { FDestino = FAntes; }
    CanvasDaPintura(const CanvasDaPintura&) = delete;
    CanvasDaPintura& operator=(const CanvasDaPintura&) = delete;

private:
    TCanvas*& FDestino;
    TCanvas* FAntes;
};

}   // namespace

// ---- painting ----

void TCustomGrid::DrawCell(int, int, const TRect&, TGridDrawState) {}

void TCustomGrid::DesenhaLinhas(const TRect& r, bool fixa)
{
    QPainter& p = FCanvas->Painter();
    const int lv = FColunas.LineWidth;   // the vertical line right of the cell
    const int lh = FLinhas.LineWidth;    // the horizontal line below it
    const QColor fundo = fixa ? FCorFixa : FCor;
    if (lv > 0) {
        const bool desenha = (FOpcoes & (fixa ? goFixedVertLine : goVertLine)) != 0;
        p.fillRect(QRect(r.Right, r.Top, lv, r.Height() + lh), desenha ? (fixa ? CorLinhaFixa : CorLinha) : fundo);
    }
    if (lh > 0) {
        const bool desenha = (FOpcoes & (fixa ? goFixedHorzLine : goHorzLine)) != 0;
        p.fillRect(QRect(r.Left, r.Bottom, r.Width(), lh), desenha ? (fixa ? CorLinhaFixa : CorLinha) : fundo);
    }
}

void TCustomGrid::Paint()
{
    QPainter& p = FCanvas->Painter();
    const int largura = ClientWidth();
    const int altura = GridHeight();
    const QRegion regiao = FRegiaoPintura.isEmpty() ? QRegion(0, 0, largura, ClientHeight()) : FRegiaoPintura;
    const int limiteX = FColunas.GridBoundary(largura);
    const int limiteY = FLinhas.GridBoundary(altura);
    if (limiteX < largura)
        p.fillRect(QRect(limiteX, 0, largura - limiteX, altura), FCor);
    if (limiteY < altura)
        p.fillRect(QRect(0, limiteY, limiteX, altura - limiteY), FCor);

    const TGridRect selecao = Selection();
    const bool focado = IsActiveControl();
    std::vector<int> linhas, colunas;
    for (int i = 0; i < FLinhas.FixedCount; ++i)
        linhas.push_back(i);
    for (int i = FLinhas.First; i <= FLinhas.LastVisible(altura); ++i)
        linhas.push_back(i);
    for (int i = 0; i < FColunas.FixedCount; ++i)
        colunas.push_back(i);
    for (int i = FColunas.First; i <= FColunas.LastVisible(largura); ++i)
        colunas.push_back(i);

    for (const int linha : linhas) {
        for (const int coluna : colunas) {
            const TRect r = CellRect(coluna, linha);
            if (r.Width() <= 0 && r.Height() <= 0)
                continue;
            const QRect comLinhas(r.Left, r.Top, r.Width() + FColunas.LineWidth, r.Height() + FLinhas.LineWidth);
            if (!regiao.intersects(comLinhas))
                continue;
            const bool fixa = coluna < FColunas.FixedCount || linha < FLinhas.FixedCount;
            DesenhaLinhas(r, fixa);
            TGridDrawState estado = 0;
            if (fixa)
                estado |= gdFixed;
            else if (selecao.Contains(coluna, linha))
                estado |= gdSelected;
            if (focado && coluna == FColuna && linha == FLinha)
                estado |= gdFocused;
            p.save();
            p.setClipRect(r.ToQRect() & QRect(0, 0, largura, altura), Qt::IntersectClip);
            FCanvas->Font = {font(), palette().color(QPalette::Text)};
            FCanvas->Brush.Color = fixa ? FCorFixa : FCor;
            FCanvas->FillRect(r);
            DrawCell(coluna, linha, r, estado);
            p.restore();
            if (fixa && FCtl3D) {
                unsigned dentro = 0, fora = 0;
                if (FOpcoes & goFixedVertLine) {
                    dentro |= TEdgePainter::BF_RIGHT;
                    fora |= TEdgePainter::BF_LEFT;
                }
                if (FOpcoes & goFixedHorzLine) {
                    dentro |= TEdgePainter::BF_BOTTOM;
                    fora |= TEdgePainter::BF_TOP;
                }
                TEdgePainter::DrawEdge(p, r, TEdgePainter::BDR_RAISEDINNER, dentro | fora, palette());
            }
        }
    }

    const bool editorSempre = (FOpcoes & goEditing) && (FOpcoes & goAlwaysShowEditor);
    if (focado && !editorSempre && !EditorMode()) {
        TRect foco = CellRect(FColuna, FLinha);
        if (FOpcoes & goRowSelect) {
            const TRect primeira = CellRect(std::max(selecao.Left, FColunas.First), FLinha);
            const TRect ultima = CellRect(std::min(selecao.Right, FColunas.LastVisible(largura)), FLinha);
            foco = {primeira.Left, primeira.Top, ultima.Right, ultima.Bottom};
        }
        if (foco.Width() > 0 && foco.Height() > 0)
            TEdgePainter::DrawFocusRect(p, foco, palette());
    }
}

void TCustomGrid::paintEvent(QPaintEvent* e)
{
    QPainter p(viewport());
    p.setClipRegion(e->region());
    FRegiaoPintura = e->region();
    TCanvas canvas(p);
    CanvasDaPintura emUso(FCanvas, canvas);
    Paint();
}
