// The data grid's in-place editing of a cell and the keys it takes.
#include "components/controls/grid/TdvCustomDBGrid.h"

#include <QScopedValueRollback>
#include <algorithm>

#include "components/controls/grid/TdvColumn.h"
#include "components/controls/grid/TdvGridDataLink.h"
#include "components/controls/grid/TdvInplaceEdit.h"
#include "components/data/datasets/dvFieldValues.h"
#include "components/data/settings/TdvIntl.h"
#include "components/data/settings/dvProperties.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/datasets/TField.h"
#include "platform/files/TFormatSettings.h"
#include "platform/ui/InterfaceUsuario.h"

// ---- in-place editing ----

namespace {

bool EhTexto(TFieldType tipo)
{
    return tipo == ftString;
}

// The characters a field's text may hold: digits and signs in numbers (with the decimal
// separator and an exponent in fractional ones), anything elsewhere.
bool AceitaCaractere(const TField& campo, QChar c)
{
    const bool sinalOuDigito = c.isDigit() || c == QLatin1Char('+') || c == QLatin1Char('-');
    switch (campo.DataType()) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
    case ftLargeint:
        return sinalOuDigito && c.unicode() < 128;
    case ftFloat:
    case ftCurrency:
    case ftBCD:
        return (sinalOuDigito && c.unicode() < 128) || c == TFormatSettings::Programa().DecimalSeparator
            || c == QLatin1Char('E') || c == QLatin1Char('e');
    default:
        return true;
    }
}

}   // namespace

TdvInplaceEdit* TdvCustomDBGrid::InplaceEdit() const
{
    return qobject_cast<TdvInplaceEdit*>(InplaceEditor());
}

TInplaceEdit* TdvCustomDBGrid::CreateEditor()
{
    return new TdvInplaceEdit(*this);
}

void TdvCustomDBGrid::UpdateEditorWordWrap()
{
    if (TdvInplaceEdit* editor = InplaceEdit()) {
        editor->WordWrap = FOptions & dgWordWrap;
        editor->update();
    }
}

bool TdvCustomDBGrid::CanEditAcceptKey(QChar key)
{
    const TField* campo = SelectedField();
    return FDataLink->Active() && FieldCount() > 0 && campo && AceitaCaractere(*campo, key);
}

int TdvCustomDBGrid::GetEditLimit()
{
    const TField* campo = SelectedField();
    return campo && EhTexto(campo->DataType()) ? campo->Size() : 0;
}

QString TdvCustomDBGrid::GetEditText(int coluna, int)
{
    const TField* campo = Fields(coluna - FIndicatorOffset);
    if (!FDataLink->Active() || !campo)
        return {};
    FEditText = campo->Text();
    return FEditText;
}

void TdvCustomDBGrid::SetEditText(int, int, const QString& valor)
{
    FEditText = valor;
}

bool TdvCustomDBGrid::CanEditModify()
{
    TDataSet* dados = DataSet();
    if (!(FKeyOptions & dgAllowInsert) && dados && dados->Active() && dados->Bof() && dados->Eof()
        && DataSource()->State() == dsBrowse)
        return false;
    if (FReadOnly || !FDataLink->Active() || FDataLink->ReadOnly() || FieldCount() == 0)
        return false;
    TField* campo = SelectedField();
    if (!campo)
        return false;
    if (!campo->CanModify() && !(FEditCalculated && dvIsCalcOrLookupField(campo) && !campo->ReadOnly()))
        return false;
    if (ColumnByFieldName(campo->FieldName())->ReadOnly())
        return false;
    FDataLink->Edit();
    const bool editando = FDataLink->Editing();
    if (editando)
        FDataLink->SetModified(true);
    return editando;
}

bool TdvCustomDBGrid::CanEditCurrentCell()
{
    const TField* campo = SelectedField();
    return campo && !campo->IsBlob() && !IsCustomEditCell(Col(), Row());
}

bool TdvCustomDBGrid::CanEditShow()
{
    // A read-only grid has no cell to edit: no editor opens on it.
    return !FReadOnly && FLayoutLock == 0 && TCustomGrid::CanEditShow() && CanEditCurrentCell();
}

void TdvCustomDBGrid::CancelEditing()
{
    TDataSet* dados = DataSet();
    if (!FDataLink->Active() || !dados)
        return;
    if (FDataLink->Modified()) {
        // The typed text was never written: the field's own text comes back.
        FDataLink->Reset();
        return;
    }
    if (dados->State() != dsEdit && dados->State() != dsInsert)
        return;
    if (dados->Modified()
        && InterfaceUsuario::Mostra(dvIntl().UserMessages.dvDBGridDiscardChanges, TipoDialogo::Confirmacao,
                                    Botao::Sim | Botao::Nao)
            != Resposta::Sim)
        return;
    dados->Cancel();
}

bool TdvCustomDBGrid::ConfirmDelete()
{
    if (!(FOptions & dgConfirmDelete))
        return true;
    return InterfaceUsuario::Mostra(QStringLiteral("Delete record?"), TipoDialogo::Confirmacao,
                                    Botao::Ok | Botao::Cancela)
        != Resposta::Cancela;
}

void TdvCustomDBGrid::TabNavigation(bool backward)
{
    const int quantos = FieldCount();
    if (quantos == 0)
        return;
    const int inicio = SelectedIndex();
    const int ultima = quantos - 1;
    const int primeira = std::max(0, FixedCols() - FIndicatorOffset);
    int coluna = inicio;
    for (;;) {
        coluna += backward ? -1 : 1;
        if (!backward && coluna > ultima) {
            BeforeRowsChange();
            if (FOptions & dgTabExitsOnLastCol) {
                SelectNextControl(true);
                return;
            }
            QScopedValueRollback suprime(FEditorSuprimido, inicio == 0 && TabStops(FIndicatorOffset));
            NextRow(true);
            coluna = 0;
        } else if (backward && coluna < primeira) {
            BeforeRowsChange();
            if (FOptions & dgTabExitsOnLastCol) {
                SelectNextControl(false);
                return;
            }
            QScopedValueRollback suprime(FEditorSuprimido, inicio != ultima && TabStops(FIndicatorOffset + ultima));
            PriorRow();
            coluna = ultima;
        }
        if (coluna == inicio)
            return;
        if (TabStops(FIndicatorOffset + coluna)) {
            SetSelectedIndex(coluna);
            return;
        }
    }
}

void TdvCustomDBGrid::DoExit()
{
    TDataSet* dados = DataSet();
    if (FDataLink->Active() && dados) {
        try {
            if ((FOptions & dgCancelOnExit) && dados->State() == dsInsert && !dados->Modified()
                && !FDataLink->Modified() && CanCancelOnExit())
                dados->Cancel();
            else
                DataLinkUpdateData();
        } catch (...) {
            // What could not be written keeps the user in the grid.
            setFocus(Qt::OtherFocusReason);
            throw;
        }
    }
    TCustomGrid::DoExit();
}

// ---- keys ----

bool TdvCustomDBGrid::TabsToGrid() const
{
    return TCustomGrid::Options() & goTabs;
}

bool TdvCustomDBGrid::AlwaysShowEditor() const
{
    return FOptions & dgAlwaysShowEditor;
}

void TdvCustomDBGrid::GridKeyDown(int key, Qt::KeyboardModifiers shift)
{
    KeyDown(key, shift);
}

void TdvCustomDBGrid::ReportKeyDown(int key, Qt::KeyboardModifiers shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TdvCustomDBGrid::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (key == Qt::Key_Backtab) {
        key = Qt::Key_Tab;
        shift |= Qt::ShiftModifier;
    }
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
    TDataSet* dados = DataSet();
    if (!FDataLink->Active() || !dados || !CanGridAcceptKey(key, shift))
        return;
    TdvGridDataLink& link = *FDataLink;
    const bool ctrl = shift.testFlag(Qt::ControlModifier);
    const bool linhaInteira = FOptions & dgRowSelect;
    const bool umCampo = dados->FieldCount() == 1;
    const auto move = [this, dados](int distancia) {
        BeforeRowsChange();
        dados->MoveBy(distancia);
    };
    const auto extremo = [this, dados](bool ultimo) {
        BeforeRowsChange();
        if (ultimo)
            dados->Last();
        else
            dados->First();
    };
    if (ctrl) {
        switch (key) {
        case Qt::Key_PageUp:
        case Qt::Key_Up:
            move(-link.ActiveRecord());
            break;
        case Qt::Key_PageDown:
        case Qt::Key_Down:
            move(link.RecordCount() - 1 - link.ActiveRecord());
            break;
        case Qt::Key_Left:
            SetSelectedIndex(0);
            break;
        case Qt::Key_Right:
            SetSelectedIndex(dados->FieldCount() - 1);
            break;
        case Qt::Key_Home:
            extremo(false);
            break;
        case Qt::Key_End:
            extremo(true);
            break;
        case Qt::Key_Delete:
            if ((FKeyOptions & dgAllowDelete) && !FReadOnly && dados->CanModify() && (FOptions & dgEditing)
                && ConfirmDelete()) {
                dados->Delete();
                HideEditor();
            }
            key = 0;
            break;
        default:
            break;
        }
        return;
    }
    switch (key) {
    case Qt::Key_PageUp:
        move(-VisibleRowCount());
        break;
    case Qt::Key_PageDown:
        move(VisibleRowCount());
        break;
    case Qt::Key_Up:
        BeforeRowsChange();
        PriorRow();
        break;
    case Qt::Key_Down:
        BeforeRowsChange();
        NextRow(true);
        break;
    case Qt::Key_Left:
        if (linhaInteira) {
            BeforeRowsChange();
            PriorRow();
        } else {
            SetSelectedIndex(SelectedIndex() - 1);
        }
        break;
    case Qt::Key_Right:
        if (linhaInteira) {
            BeforeRowsChange();
            NextRow(false);
        } else {
            SetSelectedIndex(SelectedIndex() + 1);
        }
        break;
    case Qt::Key_Home:
        if (umCampo || linhaInteira)
            extremo(false);
        else
            SetSelectedIndex(0);
        break;
    case Qt::Key_End:
        if (umCampo || linhaInteira)
            extremo(true);
        else
            SetSelectedIndex(dados->FieldCount() - 1);
        break;
    case Qt::Key_Tab:
        if (!shift.testFlag(Qt::AltModifier))
            TabNavigation(shift.testFlag(Qt::ShiftModifier));
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (FKeyOptions & dgEnterToTab)
            TabNavigation(shift.testFlag(Qt::ShiftModifier));
        break;
    case Qt::Key_Escape:
        CancelEditing();
        if (!(FOptions & dgAlwaysShowEditor))
            HideEditor();
        else if (TdvInplaceEdit* editor = InplaceEdit(); OnCheckValue && editor)
            editor->ValidatePicture(editor->text());
        break;
    case Qt::Key_Insert:
        if (!FReadOnly && (FOptions & dgEditing) && (FKeyOptions & dgAllowInsert)) {
            BeforeRowsChange();
            dados->Insert();
        }
        break;
    case Qt::Key_F2:
        if (CanEditCurrentCell())
            SetEditorMode(true);
        break;
    default:
        break;
    }
}

void TdvCustomDBGrid::KeyPress(QChar& key)
{
    if ((FKeyOptions & dgEnterToTab) && key.unicode() == 13)
        key = QChar(9);
    const bool enter = key.unicode() == 13 && !(FOptions & dgAlwaysShowEditor);
    if (enter)
        DataLinkUpdateData();
    TCustomGrid::KeyPress(key);
    if (!enter)
        return;
    if (!CanEditShow()) {
        // No editor here: the Enter is the window's (a dialog's default button).
        HideEditor();
        key = QChar(13);
        return;
    }
    if (const QWidget* controle = CurrentCellControl(); controle && dvGetWantReturns(controle))
        key = QChar(13);
}
