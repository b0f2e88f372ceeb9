#include "components/controls/combos/TdvDBCustomCombo.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include "components/controls/combos/TBtnWinControl.h"
#include "components/controls/combos/TdvComboButtonEffects.h"
#include "components/controls/combos/TdvComboDlgButton.h"
#include "components/controls/dvDraw.h"
#include "components/data/common/dvCommon.h"
#include "components/data/common/dvControlState.h"
#include "platform/widgets/painting/TEdgePainter.h"

namespace {

// The small arrow shown on flat and transparent drop-down buttons.
QPixmap SetaDeLista()
{
    QPixmap seta(7, 4);
    seta.fill(Qt::transparent);
    QPainter p(&seta);
    for (int i = 0; i < 4; ++i)
        p.fillRect(QRect(i, i, 7 - 2 * i, 1), Qt::black);
    return seta;
}

}   // namespace

TdvDBCustomCombo::TdvDBCustomCombo(QWidget* parent)
    : TdvDBCustomEdit(parent)
    , FHost(new TBtnWinControl(this))
    , FButton(new TdvComboDlgButton(FHost, this))
    , FButtonEffects(std::make_unique<TdvComboButtonEffects>(this, FButton))
{
    QObject::connect(FButton, &QAbstractButton::clicked, this, [this] {
        if (OptionFlags[2])
            ButtonClick();
    });
    PosicionaBotao();
}

TdvDBCustomCombo::~TdvDBCustomCombo() = default;

int TdvDBCustomCombo::DefaultButtonWidth()
{
    return std::max(QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent), 15);
}

int TdvDBCustomCombo::EffectiveButtonWidth() const
{
    return FButtonWidth > 0 ? FButtonWidth : DefaultButtonWidth();
}

void TdvDBCustomCombo::SetButtonStyle(TdvComboButtonStyle estilo)
{
    if (estilo == FButtonStyle)
        return;
    FButtonStyle = estilo;
    GlyphChanged();
    FButton->update();
}

void TdvDBCustomCombo::SetButtonWidth(int largura)
{
    if (largura == FButtonWidth)
        return;
    FButtonWidth = largura;
    PosicionaBotao();
}

void TdvDBCustomCombo::SetButtonGlyph(const QPixmap& glifo)
{
    FButtonGlyph = glifo;
    GlyphChanged();
}

bool TdvDBCustomCombo::ShowButton() const
{
    return FShowButton;
}

void TdvDBCustomCombo::SetShowButton(bool valor)
{
    if (valor == FShowButton)
        return;
    FShowButton = valor;
    FHost->setVisible(valor);
    if (!IsLoading())
        UpdateEditRect();
    update();
}

void TdvDBCustomCombo::SetListOnlyStyle(int estilo)
{
    FListOnlyStyle = estilo;
    UpdateTyping();
}

void TdvDBCustomCombo::SetDroppedDownFlag(bool valor)
{
    FDroppedDown = valor;
    UpdateTyping();
}

QPixmap TdvDBCustomCombo::FaceBitmap() const
{
    if (FButtonStyle == TdvComboButtonStyle::cbsCustom)
        return FButtonGlyph;
    if (FButtonStyle == TdvComboButtonStyle::cbsDownArrow && (FButtonEffects->Flat() || FButtonEffects->Transparent()))
        return SetaDeLista();
    return {};
}

void TdvDBCustomCombo::GlyphChanged()
{
    FButton->SetGlyph(FaceBitmap());
    FButton->update();
}

bool TdvDBCustomCombo::HasEditableText() const
{
    return TypingAllowed() || FDroppedDown;
}

bool TdvDBCustomCombo::InDBGrid() const
{
    const QObject* pai = parent();
    return pai && dvIsClass(pai->metaObject(), QStringLiteral("TdvDBGrid"));
}

bool TdvDBCustomCombo::ButtonDrawsFace(bool pressed) const
{
    if (!FButton->Glyph().isNull() && !pressed && !hasFocus() && !InDBGrid())
        return false;
    return !(FButtonStyle == TdvComboButtonStyle::cbsDownArrow && FButtonEffects->Transparent());
}

bool TdvDBCustomCombo::ButtonDrawsEdge(bool pressed) const
{
    return !(FButtonEffects->Flat() && !pressed && !hasFocus() && !InDBGrid());
}

void TdvDBCustomCombo::DrawButtonFace(QPainter& p, const TRect& r, bool pressed)
{
    FPressedLook = pressed;
    switch (FButtonStyle) {
    case TdvComboButtonStyle::cbsEllipsis:
        dvDrawEllipsis(p, r, palette(), isEnabled(), FButtonEffects->Transparent(), pressed);
        break;
    case TdvComboButtonStyle::cbsDownArrow:
        dvDrawDropDownArrow(p, r, palette(), FButtonEffects->Flat(), pressed, isEnabled());
        break;
    case TdvComboButtonStyle::cbsCustom:
        break;
    }
}

TdvComboLayout TdvDBCustomCombo::LayoutFor(int larguraCliente, int alturaCliente, int larguraBotao, bool frameEffective,
                                           bool comBorda, bool mostraBotao, const TdvEditFrame& frame)
{
    TdvComboLayout l;
    const int deslocamento = frameEffective ? 2 : 0;
    if (comBorda) {
        // The window border (two pixels a side) is outside the client area here.
        l.Host = {larguraCliente - larguraBotao, deslocamento, larguraCliente, alturaCliente};
        l.Button = {0, 0, larguraBotao, l.Host.Height()};
    } else {
        l.Host = {larguraCliente - larguraBotao - deslocamento, deslocamento, larguraCliente - deslocamento,
                  alturaCliente - deslocamento};
        l.Button = {0, -1, larguraBotao, l.Host.Height()};
    }
    l.EditRect.Right = (mostraBotao ? l.Host.Left : larguraCliente) - 2;
    l.EditRect.Bottom = alturaCliente + 1;
    if (frameEffective) {
        frame.GetFrameInsets(l.EditRect);
    } else {
        l.EditRect.Left = comBorda ? 0 : 2;
        l.EditRect.Top = comBorda ? 0 : 2;
    }
    return l;
}

void TdvDBCustomCombo::PosicionaBotao()
{
    const QRect c = ClientRect();
    const TdvComboLayout l = LayoutFor(c.width(), c.height(), EffectiveButtonWidth(), Frame().IsFrameEffective(),
                                       BorderStyle() == TBorderStyle::bsSingle, FShowButton, Frame());
    FHost->setGeometry(l.Host.ToQRect().translated(c.topLeft()));
    FButton->setGeometry(l.Button.ToQRect());
    SetEditRect(l.EditRect);
}

void TdvDBCustomCombo::UpdateEditRect()
{
    PosicionaBotao();
}

void TdvDBCustomCombo::Loaded()
{
    TdvDBCustomEdit::Loaded();
    PosicionaBotao();
    GlyphChanged();
}

void TdvDBCustomCombo::Resized()
{
    TdvDBCustomEdit::Resized();
    PosicionaBotao();
}

void TdvDBCustomCombo::changeEvent(QEvent* e)
{
    TdvDBCustomEdit::changeEvent(e);
    if (e->type() == QEvent::EnabledChange)
        FButton->setEnabled(isEnabled());
}

void TdvDBCustomCombo::DropDown()
{
    if (!OnDlgButtonClick)
        return;
    SetDroppedDownFlag(true);
    update();
    LinkEdit();
    try {
        OnDlgButtonClick(this);
    } catch (...) {
        SetDroppedDownFlag(false);
        update();
        throw;
    }
    update();
    SetDroppedDownFlag(false);
}

void TdvDBCustomCombo::CloseUp(bool accept)
{
    if (accept)
        SetModified(true);
}

void TdvDBCustomCombo::ButtonClick()
{
    if (DroppedDown()) {
        CloseUp(true);
        return;
    }
    if (!hasFocus() && isEnabled() && isVisible() && focusPolicy() != Qt::NoFocus)
        setFocus(Qt::MouseFocusReason);
    if (hasFocus())
        DropDown();
}

void TdvDBCustomCombo::ButtonPress()
{
    if (DroppedDown() && !hasFocus()) {
        if (isEnabled() && isVisible())
            setFocus(Qt::MouseFocusReason);
        if (!hasFocus())
            return;
    }
    const bool estavaAberto = DroppedDown();
    FButton->update();
    if (!estavaAberto && DroppedDown())
        return;
    if (DroppedDown())
        CloseUp(true);
    else
        DropDown();
}

void TdvDBCustomCombo::mousePressEvent(QMouseEvent* e)
{
    if (FListOnlyStyle == 1 && e->button() == Qt::LeftButton) {
        if (!dvIsParentCustomGrid(this) && !hasFocus())
            setFocus(Qt::MouseFocusReason);
        ButtonClick();
    }
    TdvDBCustomEdit::mousePressEvent(e);
}

void TdvDBCustomCombo::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (FListOnlyStyle == 1 && e->button() == Qt::LeftButton) {
        ButtonClick();
        TdvDBCustomEdit::mousePressEvent(e);
        return;
    }
    TdvDBCustomEdit::mouseDoubleClickEvent(e);
}

bool TdvDBCustomCombo::WantsKey(int key) const
{
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) && DroppedDown())
        return true;
    return TdvDBCustomEdit::WantsKey(key);
}

void TdvDBCustomCombo::DropDownKeys(int& key, Qt::KeyboardModifiers shift)
{
    const bool alt = shift.testFlag(Qt::AltModifier);
    if (alt && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        if (DroppedDown())
            CloseUp(true);
        else
            DropDown();
        key = 0;
    } else if (!alt && DroppedDown() && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape)) {
        CloseUp(key != Qt::Key_Escape);
        key = 0;
    }
}

void TdvDBCustomCombo::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    DropDownKeys(key, shift);
    if (key == 0)
        return;
    TdvDBCustomEdit::KeyDown(key, shift);
    if (key != 0 && dvIsEditKey(key) && !HasEditableText())
        key = 0;
}

void TdvDBCustomCombo::CMEnter()
{
    TdvDBCustomEdit::CMEnter();
    if (FButtonEffects->Flat()) {
        PosicionaBotao();
        FButton->update();
    }
}

void TdvDBCustomCombo::CMExit()
{
    TdvDBCustomEdit::CMExit();
    if (FButtonEffects->Flat())
        FButton->update();
}
