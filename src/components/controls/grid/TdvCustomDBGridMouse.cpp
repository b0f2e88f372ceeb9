// The data grid under the mouse: presses on titles and data, selection by dragging, and the hint
// of a cell too small for its text.
#include "components/controls/grid/TdvCustomDBGrid.h"

#include <QScopedValueRollback>

#include "components/controls/grid/TdvCellHint.h"
#include "components/controls/grid/TdvColumnDrag.h"
#include "components/controls/grid/TdvGridDataLink.h"
#include "components/data/common/dvControlState.h"
#include "platform/db/datasets/TField.h"

// ---- mouse ----

bool TdvCustomDBGrid::AcquireFocus()
{
    if (!(focusPolicy() & Qt::ClickFocus) || !isEnabled() || dvIsDesigning(this))
        return true;
    if (!IsActiveControl())
        setFocus(Qt::MouseFocusReason);
    return IsActiveControl();
}

void TdvCustomDBGrid::PressionaTitulo(Qt::MouseButton button, int coluna, int linha)
{
    if (FTitleButtons && button == Qt::LeftButton && !dvIsDesigning(this))
        SetPressedTitle(coluna, linha);
}

void TdvCustomDBGrid::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, bool doubleClick, int x, int y)
{
    HideCellHint();
    if (!AcquireFocus())
        return;
    if (button == Qt::LeftButton && doubleClick) {
        DblClick();
        return;
    }
    if (const int borda = SizingColumn(x, y); borda >= 0 && button == Qt::LeftButton) {
        FColunaDimensionada = borda;
        DataLinkUpdateData();
        TCustomGrid::MouseDown(button, shift, doubleClick, x, y);
        return;
    }
    const TGridCoord celula = MouseCoord(x, y);
    if (celula.X >= 0 && celula.Y >= 0) {
        if (celula.Y < FTitleOffset && (FOptions & dgColumnResize)) {
            PressionaTitulo(button, celula.X, celula.Y);
            if (celula.X >= FixedCols() && button == Qt::LeftButton) {
                FArrasto->Press(celula.X, x, y);
                return;
            }
            if (celula.X < FixedCols()) {
                TCustomGrid::MouseDown(button, shift, doubleClick, x, y);
                return;
            }
        } else if (celula.Y < FTitleOffset) {
            PressionaTitulo(button, celula.X, celula.Y);
        } else if (FDataLink->Active() && DataSet()) {
            CliqueNosDados(button, shift, celula);
        }
    }
    viewport()->update();
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TdvCustomDBGrid::MoveParaLinha(int linha)
{
    if (linha == Row())
        return;
    BeforeRowsChange();
    DataSet()->MoveBy(linha - Row());
}

void TdvCustomDBGrid::CliqueNosDados(Qt::MouseButton button, Qt::KeyboardModifiers shift, const TGridCoord& celula)
{
    TDataSet* dados = DataSet();
    if (celula.X == Col() && celula.Y == Row() && !IsCustomEditCell(celula.X, celula.Y)
        && !IsBlobCell(celula.X, celula.Y))
        ShowEditor();
    const int colunaAntes = Col();
    const int linhaAntes = Row();
    const TBookmark marcaAntes = dados->GetBookmark();
    {
        QScopedValueRollback clique(FMovendoPorClique, true);
        {
            QScopedValueRollback suprime(FEditorSuprimido, celula.Y != Row());
            if (!(FOptions & dgRowSelect) && celula.X >= FixedCols())
                SetSelectedIndex(celula.X - FIndicatorOffset);
        }
        MoveParaLinha(celula.Y);
    }
    if (Col() != colunaAntes || Row() != linhaAntes || !(dados->GetBookmark() == marcaAntes))
        DoCellChanged();
    // Held down, the button takes the record along (and scrolls past the edges).
    if (button == Qt::LeftButton)
        BeginSelecting();

    if (!(FOptions & dgMultiSelect))
        return;
    const std::optional<TBookmark> ancoraAntes = FAncora;
    const bool ctrlOuShift = shift & (Qt::ControlModifier | Qt::ShiftModifier);
    if (!IsSelectedCheckBoxColumn(celula.X)) {
        if (ctrlOuShift) {
            if (IsCurrentRowSelected())
                UnselectRecord();
            else
                SelectRecord();
        } else if ((FMultiSelectOptions & msoAutoUnselect) && button == Qt::LeftButton) {
            UnselectAll();
            SelectRecord();
        }
    }
    if ((ctrlOuShift || (FMultiSelectOptions & msoAutoUnselect)) && (FMultiSelectOptions & msoShiftSelect)) {
        FSelecaoPorClique = true;
        if (FAncora == ancoraAntes)
            FAncora = dados->GetBookmark();
    }
}

void TdvCustomDBGrid::SelectingMoveTo(int coluna, int linha)
{
    if (!FDataLink->Active() || !DataSet() || linha - FTitleOffset >= FDataLink->RecordCount())
        return;
    if (!(FOptions & dgRowSelect))
        SetSelectedIndex(coluna - FIndicatorOffset);
    MoveParaLinha(linha);
}

void TdvCustomDBGrid::TimedScroll(TGridScrollDirections direcao)
{
    TDataSet* dados = DataSet();
    if (!FDataLink->Active() || !dados)
        return;
    if (direcao & sdUp) {
        BeforeRowsChange();
        dados->MoveBy(-(FDataLink->ActiveRecord() + 1));
    } else if (direcao & sdDown) {
        BeforeRowsChange();
        dados->MoveBy(FDataLink->RecordCount() - FDataLink->ActiveRecord());
    }
    // Across columns through the column change, so that what was typed is written first.
    if (!(FOptions & dgRowSelect)) {
        if (direcao & sdLeft)
            SetSelectedIndex(SelectedIndex() - 1);
        else if (direcao & sdRight)
            SetSelectedIndex(SelectedIndex() + 1);
    }
}

void TdvCustomDBGrid::MouseMove(Qt::KeyboardModifiers shift, int x, int y)
{
    if (FArrasto->Pressed()) {
        FArrasto->Move(x, y);
        return;
    }
    TCustomGrid::MouseMove(shift, x, y);
    if (FOptions & dgShowCellHint)
        FDica->MouseMoved(x, y);
}

void TdvCustomDBGrid::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    if (button == Qt::LeftButton && FArrasto->Pressed())
        FArrasto->Release(x, y);
    const int dimensionada = GridState() == TGridState::gsColSizing ? FColunaDimensionada : -1;
    TCustomGrid::MouseUp(button, shift, x, y);
    FColunaDimensionada = -1;
    if (dimensionada >= 0 && OnColWidthChanged)
        OnColWidthChanged(this, dimensionada - FIndicatorOffset);
    if (PressedTitleCol() >= 0) {
        const int coluna = PressedTitleCol();
        const int linha = PressedTitleRow();
        SetPressedTitle(-1, -1);
        const TGridCoord sobre = MouseCoord(x, y);
        const TField* campo = Fields(coluna - FIndicatorOffset);
        if (sobre.X == coluna && sobre.Y == linha && campo && !FTituloArrastado)
            DoTitleButtonClick(campo->FieldName());
    }
    FTituloArrastado = false;
}

void TdvCustomDBGrid::focusOutEvent(QFocusEvent* e)
{
    // The mouse is gone with the focus: a column drag ends where it began.
    FArrasto->Cancel();
    TCustomGrid::focusOutEvent(e);
}

// ---- cell hints ----

void TdvCustomDBGrid::HideCellHint()
{
    if (FDica)
        FDica->Hide();
}

TdvGridHintWindow* TdvCustomDBGrid::CellHintWindow() const
{
    return FDica ? FDica->Window() : nullptr;
}

TdvGridHintWindow* TdvCustomDBGrid::CreateHintWindow(TField*)
{
    auto* janela = new TdvGridHintWindow(this);
    janela->setFont(font());
    return janela;
}

void TdvCustomDBGrid::DoCreateHintWindow(TdvGridHintWindow* hintWindow, TField* field, bool& wordWrap, int& maxWidth,
                                         int& maxHeight, bool& doDefault, const TRect& r)
{
    if (OnCreateHintWindow)
        OnCreateHintWindow(this, hintWindow, field, r, wordWrap, maxWidth, maxHeight, doDefault);
}
