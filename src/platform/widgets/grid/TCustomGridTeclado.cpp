// The keys of the grid: moving the current cell, paging, and handing keys to its editor.
#include "platform/widgets/grid/TCustomGrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <algorithm>

#include "platform/widgets/grid/TInplaceEdit.h"

namespace {

// Enter and Esc go first to the dialog around the grid (its default and cancel buttons); true
// when something there took the key.
bool OfereceAosPais(QWidget* grade, const QKeyEvent& e)
{
    QWidget* pai = grade->parentWidget();
    if (!pai || grade->isWindow())
        return false;
    QKeyEvent copia(e.type(), e.key(), e.modifiers(), e.text(), e.isAutoRepeat(), static_cast<ushort>(e.count()));
    QApplication::sendEvent(pai, &copia);
    return copia.isAccepted();
}

}   // namespace

// ---- keys ----

void TCustomGrid::keyPressEvent(QKeyEvent* e)
{
    FShiftAtual = e->modifiers();
    int key = e->key() == Qt::Key_Backtab ? Qt::Key_Tab : e->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) && OfereceAosPais(this, *e)) {
        e->accept();
        return;
    }
    QPointer<TCustomGrid> vivo(this);
    KeyDown(key, FShiftAtual);
    if (!vivo)
        return;
    QChar c = TCustomEdit::CharOf(*e);
    bool devolve = false;
    if (!c.isNull()) {
        const ushort u = c.unicode();
        if ((FOpcoes & goEditing) && (u == 8 || u >= 32)) {
            ShowEditorChar(c);
        } else {
            KeyPress(c);
            // An Enter nobody took goes on to the window (a dialog's default button).
            devolve = c.unicode() == 13;
        }
    }
    if (!vivo)
        return;
    e->setAccepted(!devolve);
}

void TCustomGrid::keyReleaseEvent(QKeyEvent* e)
{
    FShiftAtual = e->modifiers();
    int key = e->key() == Qt::Key_Backtab ? Qt::Key_Tab : e->key();
    KeyUp(key, FShiftAtual);
    e->accept();
}

void TCustomGrid::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
    if (!CanGridAcceptKey(key, shift))
        key = 0;
    const bool ctrl = shift.testFlag(Qt::ControlModifier);
    const bool linhaInteira = FOpcoes & goRowSelect;
    const int pagina = std::max(1, VisibleRowCount());
    const int ultimoTopo = std::max(FLinhas.FixedCount, FLinhas.MaxFirst(GridHeight()));
    int coluna = FColuna;
    int linha = FLinha;
    int topo = TopRow();
    int esquerda = LeftCol();
    switch (key) {
    case Qt::Key_Up:
        if (ctrl)
            --topo;
        else
            --linha;
        break;
    case Qt::Key_Down:
        if (ctrl)
            ++topo;
        else
            ++linha;
        break;
    case Qt::Key_Left:
        if (ctrl || linhaInteira)
            --esquerda;
        else
            --coluna;
        break;
    case Qt::Key_Right:
        if (ctrl || linhaInteira)
            ++esquerda;
        else
            ++coluna;
        break;
    case Qt::Key_PageUp:
        if (ctrl) {
            linha = TopRow();
        } else {
            linha -= pagina;
            topo -= pagina;
        }
        break;
    case Qt::Key_PageDown:
        if (ctrl) {
            linha = FLinhas.LastFullVisible(GridHeight());
        } else {
            linha += pagina;
            topo += pagina;
        }
        break;
    case Qt::Key_Home:
        if (ctrl) {
            coluna = FColunas.FixedCount;
            linha = FLinhas.FixedCount;
        } else if (linhaInteira) {
            linha = FLinhas.FixedCount;
        } else {
            coluna = FColunas.FixedCount;
        }
        break;
    case Qt::Key_End:
        if (ctrl) {
            coluna = ColCount() - 1;
            linha = RowCount() - 1;
        } else if (linhaInteira) {
            linha = RowCount() - 1;
        } else {
            coluna = ColCount() - 1;
        }
        break;
    case Qt::Key_Tab:
        if (shift.testFlag(Qt::AltModifier) || !(FOpcoes & goTabs) || linhaInteira)
            break;
        // The next tab stop, row after row, round to the first.
        do {
            if (shift.testFlag(Qt::ShiftModifier)) {
                if (--coluna < FColunas.FixedCount) {
                    coluna = ColCount() - 1;
                    if (--linha < FLinhas.FixedCount)
                        linha = RowCount() - 1;
                }
            } else if (++coluna >= ColCount()) {
                coluna = FColunas.FixedCount;
                if (++linha >= RowCount())
                    linha = FLinhas.FixedCount;
            }
        } while (!TabStops(coluna) && coluna != FColuna);
        break;
    case Qt::Key_F2:
        SetEditorMode(true);
        return;
    default:
        return;
    }
    coluna = std::clamp(coluna, FColunas.FixedCount, std::max(FColunas.FixedCount, ColCount() - 1));
    linha = std::clamp(linha, FLinhas.FixedCount, std::max(FLinhas.FixedCount, RowCount() - 1));
    if (topo != TopRow())
        SetTopRow(std::min(topo, ultimoTopo));
    if (esquerda != LeftCol())
        SetLeftCol(std::min(esquerda, std::max(FColunas.FixedCount, FColunas.MaxFirst(ClientWidth()))));
    if (coluna != FColuna || linha != FLinha)
        FocusCell(coluna, linha, !shift.testFlag(Qt::ShiftModifier));
}

void TCustomGrid::KeyPress(QChar& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
    if (!(FOpcoes & goAlwaysShowEditor) && key.unicode() == 13) {
        if (FEditorMode)
            HideEditor();
        else
            ShowEditor();
        key = QChar();
    }
}

void TCustomGrid::KeyUp(int& key, Qt::KeyboardModifiers shift)
{
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}
