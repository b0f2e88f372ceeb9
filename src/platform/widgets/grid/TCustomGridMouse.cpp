// The grid under the mouse: choosing cells, selecting by dragging with timed scrolling, and
// resizing columns.
#include "platform/widgets/grid/TCustomGrid.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>

#include "platform/widgets/windows/TExcecaoDeEvento.h"
#include "platform/widgets/grid/TInplaceEdit.h"

namespace {

// Pixels either side of a column's line where a press resizes the column.
constexpr int MargemDeDimensao = 3;

}   // namespace

// ---- mouse ----

void TCustomGrid::mousePressEvent(QMouseEvent* e)
{
    FShiftAtual = e->modifiers();
    FBotoesAtuais = e->buttons();
    FMouse = e->position().toPoint();
    MouseDown(e->button(), e->modifiers(), false, FMouse.x(), FMouse.y());
    e->accept();
}

void TCustomGrid::mouseDoubleClickEvent(QMouseEvent* e)
{
    FShiftAtual = e->modifiers();
    FBotoesAtuais = e->buttons();
    FMouse = e->position().toPoint();
    MouseDown(e->button(), e->modifiers(), true, FMouse.x(), FMouse.y());
    e->accept();
}

void TCustomGrid::mouseMoveEvent(QMouseEvent* e)
{
    FShiftAtual = e->modifiers();
    FBotoesAtuais = e->buttons();
    FMouse = e->position().toPoint();
    MouseMove(e->modifiers(), FMouse.x(), FMouse.y());
    e->accept();
}

void TCustomGrid::mouseReleaseEvent(QMouseEvent* e)
{
    FShiftAtual = e->modifiers();
    FBotoesAtuais = e->buttons();
    FMouse = e->position().toPoint();
    MouseUp(e->button(), e->modifiers(), FMouse.x(), FMouse.y());
    e->accept();
}

int TCustomGrid::SizingColumn(int x, int y) const
{
    if (!(FOpcoes & goColSizing) || y < 0 || y >= FLinhas.FixedBoundary())
        return -1;
    int melhor = -1;
    int menorDistancia = MargemDeDimensao + 1;
    const int largura = ClientWidth();
    for (int coluna = FColunas.First; coluna <= FColunas.LastVisible(largura); ++coluna) {
        const int inicio = FColunas.CellStart(coluna, largura);
        if (inicio < 0)
            continue;
        const int linha = inicio + ColWidths(coluna);   // where its line begins
        const int distancia = x < linha ? linha - x : std::max(0, x - (linha + FColunas.LineWidth - 1));
        if (distancia < menorDistancia) {
            menorDistancia = distancia;
            melhor = coluna;
        }
    }
    return melhor;
}

void TCustomGrid::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, bool doubleClick, int x, int y)
{
    if ((focusPolicy() & Qt::ClickFocus) && isEnabled() && !IsActiveControl()) {
        setFocus(Qt::MouseFocusReason);
        if (!IsActiveControl())
            return;
    }
    if (button == Qt::LeftButton && doubleClick) {
        DblClick();
    } else if (button == Qt::LeftButton) {
        if (const int coluna = SizingColumn(x, y); coluna >= 0) {
            FEstado = TGridState::gsColSizing;
            FColunaDimensionada = coluna;
            FInicioDimensao = x;
            FLarguraInicial = ColWidths(coluna);
        } else if (const TGridCoord celula = CelulaDoClique(x, y);
                   celula.X >= FColunas.FixedCount && celula.Y >= FLinhas.FixedCount) {
            if (FOpcoes & goEditing) {
                if (celula.X == FColuna && celula.Y == FLinha) {
                    ShowEditor();
                } else {
                    MoveColRow(celula.X, celula.Y, true, true);
                    UpdateEdit();
                }
                Click();
            } else {
                BeginSelecting();
                MoveColRow(celula.X, celula.Y, true, true);
            }
        }
    }
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

TGridCoord TCustomGrid::CelulaDoClique(int x, int y)
{
    return MouseCoord(x, y);
}

void TCustomGrid::MouseMove(Qt::KeyboardModifiers shift, int x, int y)
{
    switch (FEstado) {
    case TGridState::gsColSizing:
        SetColWidths(FColunaDimensionada, std::max(1, FLarguraInicial + x - FInicioDimensao));
        break;
    case TGridState::gsSelecting:
        if (const TGridCoord celula = MouseCoord(x, y);
            celula.X >= FColunas.FixedCount && celula.Y >= FLinhas.FixedCount)
            SelectingMoveTo(celula.X, celula.Y);
        break;
    case TGridState::gsNormal:
        if (SizingColumn(x, y) >= 0)
            viewport()->setCursor(Qt::SplitHCursor);
        else
            viewport()->unsetCursor();
        break;
    }
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TCustomGrid::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    const TGridState estado = FEstado;
    FimDoEstado();
    if (estado == TGridState::gsSelecting) {
        UpdateEdit();
        Click();
    }
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TCustomGrid::BeginSelecting()
{
    FEstado = TGridState::gsSelecting;
    FTimerSelecao->start();
}

void TCustomGrid::FimDoEstado()
{
    FEstado = TGridState::gsNormal;
    FColunaDimensionada = -1;
    FTimerSelecao->stop();
}

void TCustomGrid::SelectingMoveTo(int coluna, int linha)
{
    if (coluna != FColuna || linha != FLinha)
        MoveColRow(coluna, linha, false, true);
}

void TCustomGrid::PassoDaSelecao()
{
    // A release this grid never saw (a drag took the mouse) ends the selecting too.
    if (FEstado != TGridState::gsSelecting || !(QGuiApplication::mouseButtons() & Qt::LeftButton)) {
        FimDoEstado();
        return;
    }
    TGridScrollDirections direcao = 0;
    if (FMouse.y() < FLinhas.FixedBoundary())
        direcao |= sdUp;
    else if (FMouse.y() >= GridHeight())
        direcao |= sdDown;
    if (FMouse.x() < FColunas.FixedBoundary())
        direcao |= sdLeft;
    else if (FMouse.x() >= ClientWidth())
        direcao |= sdRight;
    if (direcao)
        TimedScroll(direcao);
}

void TCustomGrid::TimedScroll(TGridScrollDirections direcao)
{
    int coluna = FColuna;
    int linha = FLinha;
    if (direcao & sdUp)
        --linha;
    if (direcao & sdDown)
        ++linha;
    if (direcao & sdLeft)
        --coluna;
    if (direcao & sdRight)
        ++coluna;
    coluna = std::clamp(coluna, FColunas.FixedCount, std::max(FColunas.FixedCount, ColCount() - 1));
    linha = std::clamp(linha, FLinhas.FixedCount, std::max(FLinhas.FixedCount, RowCount() - 1));
    if (coluna != FColuna || linha != FLinha)
        MoveColRow(coluna, linha, false, true);
}

void TCustomGrid::Click()
{
    if (OnClick)
        OnClick(this);
}

void TCustomGrid::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

bool TCustomGrid::viewportEvent(QEvent* e)
{
    try {
        if (e->type() == QEvent::Resize) {
            const bool tratado = QAbstractScrollArea::viewportEvent(e);
            UpdateScrollRange();
            Resized();
            TrazColunasQueCabem();
            if (FEditorMode && FEditor)
                FEditor->UpdateLoc(AreaDoEditor(CellRect(FColuna, FLinha)));
            return tratado;
        }
        return QAbstractScrollArea::viewportEvent(e);
    } catch (...) {
        TExcecaoDeEvento::Trata(std::current_exception());
        return true;
    }
}

bool TCustomGrid::event(QEvent* e)
{
    try {
        return QAbstractScrollArea::event(e);
    } catch (...) {
        TExcecaoDeEvento::Trata(std::current_exception());
        return true;
    }
}
