#include "platform/widgets/grid/TInplaceEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QWheelEvent>

#include "platform/widgets/grid/TCustomGrid.h"

TInplaceEdit::TInplaceEdit(TCustomGrid& grid)
    : TCustomEdit(&grid)
    , FGrid(grid)
{
    hide();
    SetAutoSize(false);
    SetBorderStyle(TBorderStyle::bsNone);
    EndLoading();
}

// ---- place and visibility ----

void TInplaceEdit::Move(const TRect& r)
{
    InternalMove(r, true);
}

void TInplaceEdit::UpdateLoc(const TRect& r)
{
    InternalMove(r, false);
}

void TInplaceEdit::InternalMove(const TRect& r, bool redraw)
{
    if (r.Width() <= 0 || r.Height() <= 0) {
        Hide();
        return;
    }
    redraw = redraw || isHidden();
    const QRect area = r.ToQRect();
    if (geometry() != area)
        setGeometry(area);
    raise();
    show();
    BoundsChanged();
    if (redraw)
        update();
    if (FGrid.GridFocused())
        setFocus(Qt::OtherFocusReason);
}

void TInplaceEdit::Hide()
{
    if (isHidden())
        return;
    // The grid takes the focus first: a focused widget that hides passes it down the chain.
    if (window()->focusWidget() == this) {
        QScopedValueRollback doEditor(FGrid.FFocoDoEditor, true);
        FGrid.setFocus(Qt::OtherFocusReason);
    }
    hide();
}

void TInplaceEdit::SetFocus()
{
    if (isVisible())
        setFocus(Qt::OtherFocusReason);
}

void TInplaceEdit::UpdateContents()
{
    SetText(QString());
    SetText(FGrid.GetEditText(FGrid.Col(), FGrid.Row()));
    SetMaxLength(FGrid.GetEditLimit());
}

void TInplaceEdit::BoundsChanged()
{
    SetEditRect({2, 2, width() - 2, height()});
}

void TInplaceEdit::Resized()
{
    BoundsChanged();
}

void TInplaceEdit::PostChar(QChar c)
{
    TKeyMessage letra{TKeyMessage::WM_CHAR, 0, c, Qt::NoModifier};
    WndKey(letra);
    if (letra.Char.isNull())
        return;
    if (letra.Char.unicode() == 8) {
        backspace();
        return;
    }
    if (letra.Char.unicode() < 32)
        return;
    QKeyEvent tecla(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(letra.Char));
    QLineEdit::keyPressEvent(&tecla);
}

// ---- keys ----

void TInplaceEdit::GridKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    FGrid.KeyDown(key, shift);
}

void TInplaceEdit::GridKeyPress(QChar& key)
{
    FGrid.KeyPress(key);
}

bool TInplaceEdit::GridCanEditModify()
{
    return FGrid.CanEditModify();
}

void TInplaceEdit::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (key == Qt::Key_unknown)
        return;   // a character passed on from the grid: no key went down here
    if (key == Qt::Key_Backtab) {
        key = Qt::Key_Tab;
        shift |= Qt::ShiftModifier;
    }
    const bool ctrl = shift.testFlag(Qt::ControlModifier);
    // With the editor always shown, the arrows leave the text at its ends.
    const bool avanca = FGrid.Options() & goAlwaysShowEditor;
    // At an end of the text, or with the whole text selected.
    const int n = static_cast<int>(text().size());
    const int de = SelStart();
    const int ate = de + SelLength();
    const bool inicio = de == 0 && (ate == 0 || ate == n);
    const bool fim = (de == 0 || ate == de) && ate == n;
    bool paraGrade = false;
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Escape:
        paraGrade = true;
        break;
    case Qt::Key_Insert:
        if (shift == Qt::NoModifier)
            paraGrade = true;
        else if (shift == Qt::ShiftModifier && !GridCanEditModify())
            key = 0;
        break;
    case Qt::Key_Left:
    case Qt::Key_Home:
        paraGrade = avanca && (ctrl || inicio);
        break;
    case Qt::Key_Right:
    case Qt::Key_End:
        paraGrade = avanca && (ctrl || fim);
        break;
    case Qt::Key_F2:
        if (FGrid.OnKeyDown)
            FGrid.OnKeyDown(&FGrid, key, shift);
        if (key == Qt::Key_F2) {
            deselect();
            return;
        }
        break;
    case Qt::Key_Tab:
        paraGrade = !shift.testFlag(Qt::AltModifier);
        break;
    case Qt::Key_Delete:
        if (ctrl)
            paraGrade = true;
        else if (!GridCanEditModify())
            key = 0;
        break;
    default:
        break;
    }
    if (paraGrade) {
        GridKeyDown(key, shift);
        key = 0;
        return;
    }
    if (key == 0)
        return;
    if (FGrid.OnKeyDown)
        FGrid.OnKeyDown(&FGrid, key, shift);
    if (key != 0)
        TCustomEdit::KeyDown(key, shift);
}

void TInplaceEdit::KeyPress(QChar& key)
{
    GridKeyPress(key);
    const ushort u = key.unicode();
    if (u >= 32 && !FGrid.CanEditAcceptKey(key)) {
        key = QChar();
        QApplication::beep();
        return;
    }
    switch (u) {
    case 0:
        return;
    case 9:
    case 27:
        key = QChar();
        return;
    case 13:
        // Enter toggles between the whole text selected and the caret.
        if (hasSelectedText() && selectionStart() == 0 && selectedText().size() == text().size())
            deselect();
        else
            selectAll();
        key = QChar();
        return;
    default:
        break;
    }
    if ((u == 8 || u == 22 || u == 24 || u >= 32) && !GridCanEditModify()) {
        key = QChar();
        return;
    }
    TCustomEdit::KeyPress(key);
}

void TInplaceEdit::KeyUp(int& key, Qt::KeyboardModifiers shift)
{
    FGrid.KeyUp(key, shift);
}

bool TInplaceEdit::WantsKey(int) const
{
    return true;
}

bool TInplaceEdit::focusNextPrevChild(bool next)
{
    // With goTabs the Tab key reaches KeyDown; without, the grid moves the focus on.
    return FGrid.focusNextPrevChild(next);
}

// ---- text ----

void TInplaceEdit::Change()
{
    TCustomEdit::Change();
    if (FGrid.InplaceEditor() == this)
        FGrid.EditorTextChanged();
}

void TInplaceEdit::WMPaste()
{
    if (GridCanEditModify())
        TCustomEdit::WMPaste();
}

void TInplaceEdit::PasteSelection(const QString& texto)
{
    if (GridCanEditModify())
        TCustomEdit::PasteSelection(texto);
}

void TInplaceEdit::WMCut()
{
    if (GridCanEditModify())
        TCustomEdit::WMCut();
}

// ---- focus and mouse ----

void TInplaceEdit::focusInEvent(QFocusEvent* e)
{
    TCustomEdit::focusInEvent(e);
    FGrid.FocoChegou(e->reason());
}

void TInplaceEdit::focusOutEvent(QFocusEvent* e)
{
    TCustomEdit::focusOutEvent(e);
    FGrid.FocoSaiu(e->reason());
}

void TInplaceEdit::mouseDoubleClickEvent(QMouseEvent* e)
{
    TCustomEdit::mouseDoubleClickEvent(e);
    FGrid.DblClick();
}

void TInplaceEdit::wheelEvent(QWheelEvent* e)
{
    FGrid.wheelEvent(e);
}
