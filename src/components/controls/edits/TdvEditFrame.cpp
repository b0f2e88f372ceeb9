#include "components/controls/edits/TdvEditFrame.h"

#include <QFontMetrics>
#include <QMetaObject>
#include <QPainter>
#include <algorithm>

#include "components/data/common/dvControlState.h"
#include "platform/widgets/controls/TCustomEdit.h"
#include "platform/widgets/painting/TEdgePainter.h"

namespace {

TCustomEdit* ComoEdit(QWidget* w)
{
    return qobject_cast<TCustomEdit*>(w);
}

}   // namespace

TdvEditFrame::TdvEditFrame(QWidget* control)
    : FControl(control)
{
    SetEnabled(false);
}

void TdvEditFrame::Assign(const TdvEditFrame& origem)
{
    SetEnabled(origem.Enabled());
    SetTransparent(origem.Transparent());
    if (!FEnabled)
        return;
    EraseOnInvalidate = origem.EraseOnInvalidate;
    AutoSizeHeightAdjust = origem.AutoSizeHeightAdjust;
    SetFocusBorders(origem.FocusBorders());
    SetNonFocusBorders(origem.NonFocusBorders());
    FFocusStyle = origem.FocusStyle();
    SetNonFocusStyle(origem.NonFocusStyle());
    NonFocusTextOffsetX = origem.NonFocusTextOffsetX;
    NonFocusTextOffsetY = origem.NonFocusTextOffsetY;
    NonFocusTransparentFontColor = origem.NonFocusTransparentFontColor;
}

void TdvEditFrame::InvalidaControle() const
{
    if (FControl)
        FControl->update();
}

void TdvEditFrame::SetEnabled(bool valor)
{
    if (valor == FEnabled)
        return;
    FEnabled = valor;
    TCustomEdit* edit = ComoEdit(FControl);
    if (!edit)
        return;
    if (valor)
        edit->SetBorderStyle(TBorderStyle::bsNone);
    if (edit->AutoSize())
        AdjustHeight();
    edit->update();
}

void TdvEditFrame::SetNonFocusBorders(TdvEditFrameEnabledSet valor)
{
    FNonFocusBorders = valor;
    TCustomEdit* edit = ComoEdit(FControl);
    if (!edit)
        return;
    if (FEnabled && FTransparent && edit->parentWidget())
        edit->parentWidget()->update(edit->geometry());
    else
        edit->update();
}

void TdvEditFrame::SetFocusBorders(TdvEditFrameEnabledSet valor)
{
    if (valor == FFocusBorders)
        return;
    FFocusBorders = valor;
    if (ComoEdit(FControl))
        InvalidaControle();
}

void TdvEditFrame::SetNonFocusStyle(TdvEditFocusStyle valor)
{
    if (valor == FNonFocusStyle)
        return;
    FNonFocusStyle = valor;
    if (ComoEdit(FControl))
        InvalidaControle();
}

void TdvEditFrame::SetTransparent(bool valor)
{
    if (valor != FTransparent) {
        FTransparent = valor;
        TransparentNow = valor;
        VerificaRecriacao();
    }
    // The rich-text edit applies its transparency when its window is made again.
    if (FControl && FControl->inherits("TdvCustomRichEdit"))
        QMetaObject::invokeMethod(FControl, "RecreateWnd", Qt::DirectConnection);
}

void TdvEditFrame::VerificaRecriacao() const
{
    if (!FTransparent || !IsFrameEffective())
        return;
    if (TCustomEdit* edit = ComoEdit(FControl))
        edit->RecreateWnd();
}

bool TdvEditFrame::IsFrameEffective() const
{
    return FEnabled && FControl && !dvIsParentCustomGrid(FControl);
}

bool TdvEditFrame::IsThin(TdvEditFocusStyle estilo)
{
    return estilo == TdvEditFocusStyle::efsFrameBox || estilo == TdvEditFocusStyle::efsFrameSingle;
}

TRect TdvEditFrame::FrameRect(const TRect& client, TdvEditFrameEnabledSet lados, bool transparent)
{
    TRect r = client;
    if (!(lados & efRightBorder) && transparent)
        r.Right -= 2;
    return r;
}

unsigned TdvEditFrame::EdgeSides(TdvEditFrameEnabledSet lados)
{
    unsigned bf = 0;
    if (lados & efLeftBorder)
        bf |= TEdgePainter::BF_LEFT;
    if (lados & efBottomBorder)
        bf |= TEdgePainter::BF_BOTTOM;
    if (lados & efTopBorder)
        bf |= TEdgePainter::BF_TOP;
    if (lados & efRightBorder)
        bf |= TEdgePainter::BF_RIGHT;
    return bf;
}

unsigned TdvEditFrame::EdgeKind(TdvEditFocusStyle estilo)
{
    switch (estilo) {
    case TdvEditFocusStyle::efsFrameBox:
    case TdvEditFocusStyle::efsFrameSunken:
        return TEdgePainter::EDGE_SUNKEN;
    case TdvEditFocusStyle::efsFrameRaised:
        return TEdgePainter::EDGE_RAISED;
    case TdvEditFocusStyle::efsFrameEtched:
        return TEdgePainter::EDGE_ETCHED;
    case TdvEditFocusStyle::efsFrameBump:
        return TEdgePainter::EDGE_BUMP;
    case TdvEditFocusStyle::efsFrameSingle:
        return TEdgePainter::BDR_SUNKENOUTER;
    }
    return TEdgePainter::EDGE_SUNKEN;
}

unsigned TdvEditFrame::EdgeFlags(TdvEditFocusStyle estilo)
{
    return IsThin(estilo) ? static_cast<unsigned>(TEdgePainter::BF_MONO) : 0u;
}

void TdvEditFrame::DrawFrame(QPainter& p, bool focused) const
{
    if (!FControl)
        return;
    const TdvEditFrameEnabledSet lados = focused ? FFocusBorders : FNonFocusBorders;
    const TdvEditFocusStyle estilo = focused ? FFocusStyle : FNonFocusStyle;
    const TRect r = FrameRect(TRect::From(FControl->rect()), lados, FTransparent);
    TEdgePainter::DrawEdge(p, r, EdgeKind(estilo), EdgeSides(lados) | EdgeFlags(estilo), FControl->palette());
}

TRect TdvEditFrame::Insets(TRect r, TdvEditFrameEnabledSet lados, TdvEditFocusStyle estilo)
{
    if (IsThin(estilo)) {
        r.Left = 2;
        r.Top = 2;
        if ((lados & efRightBorder) && estilo == TdvEditFocusStyle::efsFrameBox)
            r.Right -= 1;
        return r;
    }
    r.Top = 3;
    if (!(lados & efLeftBorder))
        r.Left = 1;
    else if (estilo == TdvEditFocusStyle::efsFrameSunken || estilo == TdvEditFocusStyle::efsFrameBump)
        r.Left = 3;
    else
        r.Left = 2;
    r.Right -= 2;
    return r;
}

void TdvEditFrame::GetFrameInsets(TRect& r) const
{
    r = Insets(r, FFocusBorders, FFocusStyle);
}

void TdvEditFrame::GetTextOffsets(int& x, int& y, bool focused) const
{
    const TdvEditFrameEnabledSet lados = focused ? FFocusBorders : FNonFocusBorders;
    const TdvEditFocusStyle estilo = focused ? FFocusStyle : FNonFocusStyle;
    x = (lados & efLeftBorder) ? (IsThin(estilo) ? 2 : 3) : 1;
    y = 2 + (((lados & efTopBorder) && !IsThin(estilo)) ? 1 : 0);
    x += NonFocusTextOffsetX;
    y += NonFocusTextOffsetY;
}

TRect TdvEditFrame::EraseArea(const TRect& bounds, const TRect& formatting, bool leftBorder)
{
    TRect r{bounds.Left + 2, bounds.Top + 2, bounds.Right - 2, bounds.Bottom - 2};
    if (!leftBorder)
        r.Left -= 2;
    r.Right = r.Left + formatting.Right + 1;
    return r;
}

void TdvEditFrame::EraseFrame(bool clientOnly) const
{
    if (!FControl)
        return;
    QWidget* pai = FControl->parentWidget();
    const TRect bounds = TRect::From(FControl->geometry());
    if (pai) {
        const TCustomEdit* edit = ComoEdit(FControl);
        const TRect area = (clientOnly || !edit) ? bounds
                                                 : EraseArea(bounds, edit->EditRect(), FNonFocusBorders & efLeftBorder);
        pai->update(area.ToQRect());
    }
    FControl->update();
}

int TdvEditFrame::AutoHeight(int fonte, int fonteSistema, bool newStyle, bool ctl3D, bool semBorda, bool frameEnabled,
                             int ajuste)
{
    constexpr int cyBorder = 1;
    int extra = 0;
    if (newStyle) {
        extra = cyBorder * (ctl3D ? 8 : 6);
        if (semBorda)
            extra = 6;
        if (frameEnabled)
            extra += ajuste;
    } else {
        extra = std::min(fonteSistema, fonte) / 4 + 4 * cyBorder;
    }
    return fonte + extra;
}

void TdvEditFrame::AdjustHeight() const
{
    TCustomEdit* edit = ComoEdit(FControl);
    if (!edit)
        return;
    const int fonte = QFontMetrics(edit->font()).height();
    edit->setFixedHeight(AutoHeight(fonte, TCustomEdit::SystemFontHeight(), true, true,
                                    edit->BorderStyle() == TBorderStyle::bsNone, FEnabled, AutoSizeHeightAdjust));
}
