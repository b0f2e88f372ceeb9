#include "components/controls/grid/TdvInplaceEdit.h"

#include <algorithm>

#include "components/controls/grid/TdvCustomDBGrid.h"
#include "components/data/common/dvBeep.h"
#include "components/data/settings/TdvPictureValidator.h"
#include "components/data/settings/dvPictureMasks.h"
#include "platform/db/datasets/TField.h"

TdvInplaceEdit::TdvInplaceEdit(TdvCustomDBGrid& grid)
    : TInplaceEdit(grid)
    , FGrid(grid)
    , FPicture(std::make_unique<TdvDBPicture>(nullptr))
{
    WordWrap = grid.Options() & dgWordWrap;
}

TdvInplaceEdit::~TdvInplaceEdit() = default;

bool TdvInplaceEdit::HasPictureMask() const
{
    return UsePictureMask && !FPicture->PictureMask().isEmpty();
}

bool TdvInplaceEdit::ValidatePicture(const QString& texto)
{
    const bool valido = FPicture->PassesPicture(texto);
    InformaValidacao(valido);
    return valido;
}

void TdvInplaceEdit::InformaValidacao(bool passou)
{
    if (FGrid.OnCheckValue)
        FGrid.OnCheckValue(this, passou);
}

void TdvInplaceEdit::LeMascara()
{
    TField* campo = FGrid.SelectedField();
    if (!FGrid.DataSet() || !campo)
        return;
    const TdvPictureMaskInfo info = dvGetPictureMaskInfo(dvGetPictureMaskOwner(&FGrid, FGrid.DataSet()),
                                                         campo->FieldName(), true);
    FPicture->SetPictureMask(info.Mask);
    FPicture->SetAutoFill(info.AutoFill);
    FPicture->SetAllowInvalidExit(false);
    UsePictureMask = info.AllowInvalidExit;
    ValidatePicture(campo->Text());
}

void TdvInplaceEdit::focusInEvent(QFocusEvent* e)
{
    TInplaceEdit::focusInEvent(e);
    LeMascara();
}

void TdvInplaceEdit::BoundsChanged()
{
    const QRect c = ClientRect();
    if (BorderStyle() == TBorderStyle::bsNone)
        SetEditRect({2, 2, c.width() - 1, c.height()});
    else
        SetEditRect({0, 0, c.width() - 1, c.height()});
}

void TdvInplaceEdit::FontChanged()
{
    BoundsChanged();
}

void TdvInplaceEdit::WMPaste()
{
    TInplaceEdit::WMPaste();
    (void)GridCanEditModify();   // the pasted text puts the record in edit state
}

// ---- keys ----

void TdvInplaceEdit::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool ctrlPageUp = key == Qt::Key_PageUp && shift.testFlag(Qt::ControlModifier);
    if ((enter && (FGrid.KeyOptions() & dgEnterToTab)) || ctrlPageUp) {
        FGrid.setFocus(Qt::OtherFocusReason);
        GridKeyDown(key, shift);
        key = 0;
        return;
    }
    TInplaceEdit::KeyDown(key, shift);
}

void TdvInplaceEdit::KeyUp(int& key, Qt::KeyboardModifiers shift)
{
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && (FGrid.KeyOptions() & dgEnterToTab))
        key = Qt::Key_Tab;
    TInplaceEdit::KeyUp(key, shift);
    if (key == Qt::Key_Delete && FGrid.OnCheckValue)
        ValidatePicture(text());
}

void TdvInplaceEdit::KeyPress(QChar& key)
{
    if (key.unicode() == 13 && (FGrid.KeyOptions() & dgEnterToTab))
        key = QChar(9);
    TInplaceEdit::KeyPress(key);
    if (!key.isNull() && HasPictureMask())
        TeclaComMascara(key);
}

void TdvInplaceEdit::TeclaComMascara(QChar& key)
{
    const QString texto = text();
    const int inicio = SelStart();
    const int tamanhoSel = SelLength();
    if (key.unicode() == 8) {
        if (FGrid.OnCheckValue) {
            QString resto = texto;
            if (tamanhoSel > 0)
                resto.remove(inicio, tamanhoSel);
            else if (inicio > 0)
                resto.remove(inicio - 1, 1);
            ValidatePicture(resto);
        }
        return;
    }
    if (key.unicode() < 32)
        return;
    QString candidato = texto.left(inicio) + key + texto.mid(inicio + tamanhoSel);
    // Past the length limit the key is the editor's to refuse, not the mask's.
    if (MaxLength() > 0 && candidato.size() > MaxLength() && texto.size() < candidato.size())
        return;
    const TdvPictureValidator validador(FPicture->PictureMask(), FPicture->AutoFill());
    const TPicResult resultado = validador.Picture(candidato, FPicture->AutoFill());
    switch (resultado) {
    case TPicResult::prComplete:
    case TPicResult::prIncomplete: {
        const bool tudoSelecionado = tamanhoSel > 0 && tamanhoSel == texto.size();
        // After the typed character and the literals filled in behind it.
        const int preenchidos = static_cast<int>(candidato.size() - (texto.size() - tamanhoSel + 1));
        const int cursor = tudoSelecionado ? static_cast<int>(candidato.size()) : inicio + 1 + preenchidos;
        setText(candidato);
        SetModified(true);
        setCursorPosition(std::clamp(cursor, 0, static_cast<int>(candidato.size())));
        key = QChar();
        InformaValidacao(resultado == TPicResult::prComplete);
        break;
    }
    case TPicResult::prError:
        if (inicio + tamanhoSel >= texto.size()) {
            key = QChar();
            dvBeep();
            return;
        }
        InformaValidacao(false);
        break;
    default:
        InformaValidacao(false);
        break;
    }
}
