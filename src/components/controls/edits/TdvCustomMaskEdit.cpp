#include "components/controls/edits/TdvCustomMaskEdit.h"

#include "components/data/common/dvBeep.h"
#include "components/data/common/dvControlState.h"
#include "components/data/settings/TdvPictureValidator.h"

TdvCustomMaskEdit::TdvCustomMaskEdit(QWidget* parent)
    : TCustomEdit(parent)
    , FPicture(std::make_unique<TdvDBPicture>(this))
    , FFrame(std::make_unique<TdvEditFrame>(this))
{}

TdvCustomMaskEdit::~TdvCustomMaskEdit() = default;

bool TdvCustomMaskEdit::PictureMaskInUse() const
{
    return FUsePictureMask && !FPicture->PictureMask().isEmpty();
}

bool TdvCustomMaskEdit::ValidatePicture(const QString& texto)
{
    const bool valido = FPicture->PassesPicture(texto);
    CheckValue(valido);
    return valido;
}

void TdvCustomMaskEdit::CheckValue(bool passou)
{
    if (OnCheckValue)
        OnCheckValue(this, passou);
}

void TdvCustomMaskEdit::SetPictureText(const QString& texto)
{
    FPictureSetText = true;
    setText(texto);
    FPictureSetText = false;
    // A text the user changed by typing is a modified text, whoever wrote it into the window.
    SetModified(true);
}

TRect TdvCustomMaskEdit::EditRectFor(int largura, int altura, bool comBorda, bool naGrade, const TdvEditFrame& frame)
{
    TRect r{0, 0, largura - 1, altura + 1};
    if (!comBorda && naGrade) {
        r.Left = 2;
        r.Top = 2;
    } else if (frame.Enabled()) {
        frame.GetFrameInsets(r);
    } else if (comBorda) {
        r.Left = 0;
        r.Top = 0;
    } else {
        r.Left = 1;
        r.Top = 1;
    }
    return r;
}

void TdvCustomMaskEdit::UpdateEditRect()
{
    const QRect c = ClientRect();
    SetEditRect(EditRectFor(c.width(), c.height(), BorderStyle() == TBorderStyle::bsSingle, dvIsParentCustomGrid(this),
                            *FFrame));
}

bool TdvCustomMaskEdit::WantsKey(int key) const
{
    return (key == Qt::Key_Return || key == Qt::Key_Enter) && FWantReturns;
}

void TdvCustomMaskEdit::KeyPress(QChar& key)
{
    TCustomEdit::KeyPress(key);
    FKeyConsumed = false;
    if (key.isNull())
        return;
    if (PictureMaskInUse())
        TeclaComMascara(key);
    if (key.unicode() == 13 && !FWantReturns)
        key = QChar();
}

void TdvCustomMaskEdit::TeclaComMascara(QChar& key)
{
    const QString texto = text();
    const int inicio = SelStart();
    const int tamanhoSel = SelLength();
    if (key.unicode() == 8) {
        if (OnCheckValue && !ReadOnlyFlag()) {
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
    // The edit's own length limit refuses the key; the mask has nothing to say about it.
    if (MaxLength() > 0 && candidato.size() > MaxLength() && candidato.size() > texto.size())
        return;
    PictureEditing();
    const bool somenteLeitura = ReadOnlyFlag();
    const TdvPictureValidator validador(FPicture->PictureMask(), FPicture->AutoFill());
    const TPicResult resultado = validador.Picture(candidato, FPicture->AutoFill());
    const bool tudoSelecionado = tamanhoSel > 0 && tamanhoSel == texto.size();
    const int crescimento = static_cast<int>(candidato.size() - texto.size());
    switch (resultado) {
    case TPicResult::prComplete:
    case TPicResult::prIncomplete: {
        const bool completo = resultado == TPicResult::prComplete;
        if (!somenteLeitura) {
            SetPictureText(candidato);
            int caret = static_cast<int>(candidato.size());
            if (!tudoSelecionado && completo)
                caret = crescimento > 0 ? inicio + crescimento : inicio + 1;
            else if (!tudoSelecionado)
                caret = tamanhoSel > 0 ? inicio + 1 : inicio + crescimento;
            SetSelStart(caret);
            CheckValue(completo);
        }
        key = QChar();
        FKeyConsumed = true;
        break;
    }
    case TPicResult::prError:
        if (inicio + tamanhoSel >= texto.size()) {
            key = QChar();
            dvBeep();
        } else if (!somenteLeitura) {
            CheckValue(false);
        }
        break;
    default:
        if (!somenteLeitura)
            CheckValue(true);
        break;
    }
}

void TdvCustomMaskEdit::DoExit()
{
    FInvalidExit = false;
    if (PictureMaskInUse() && Modified() && !ValidatePicture(text()) && !FPicture->AllowInvalidExit()) {
        selectAll();
        setFocus(Qt::OtherFocusReason);
        SetModified(true);
        dvBeep();
        FInvalidExit = true;
        return;
    }
    TCustomEdit::DoExit();
}
