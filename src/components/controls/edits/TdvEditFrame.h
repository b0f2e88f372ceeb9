#pragma once
#include <QColor>
#include <QPointer>
#include <QWidget>

#include "platform/widgets/painting/TRect.h"

class QPainter;

// The sides of a frame, as bits of a set.
enum TdvEditFrameEnabledType : unsigned {
    efLeftBorder = 1u << 0,
    efTopBorder = 1u << 1,
    efRightBorder = 1u << 2,
    efBottomBorder = 1u << 3,
};
using TdvEditFrameEnabledSet = unsigned;

enum class TdvEditFocusStyle {
    efsFrameBox,
    efsFrameSunken,
    efsFrameRaised,
    efsFrameEtched,
    efsFrameBump,
    efsFrameSingle
};

// The flat, self-drawn frame of a library edit in place of its window border: one set of sides
// and one edge style while the edit has the focus, another while it has not, and an optional
// transparent look for the unfocused edit. It holds the settings and does the arithmetic; the
// owning edit decides when to call it.
class TdvEditFrame {
public:
    explicit TdvEditFrame(QWidget* control);
    TdvEditFrame(const TdvEditFrame&) = delete;
    TdvEditFrame& operator=(const TdvEditFrame&) = delete;
    virtual ~TdvEditFrame() = default;

    // From another frame: Enabled and Transparent, and the rest only when Enabled is now on.
    virtual void Assign(const TdvEditFrame& origem);

    [[nodiscard]] QWidget* Control() const { return FControl; }

    [[nodiscard]] bool Enabled() const { return FEnabled; }
    // Enabling takes the edit's window border away and, with AutoSize, sets its height.
    void SetEnabled(bool valor);
    [[nodiscard]] TdvEditFrameEnabledSet NonFocusBorders() const { return FNonFocusBorders; }
    void SetNonFocusBorders(TdvEditFrameEnabledSet valor);
    [[nodiscard]] TdvEditFrameEnabledSet FocusBorders() const { return FFocusBorders; }
    void SetFocusBorders(TdvEditFrameEnabledSet valor);
    [[nodiscard]] TdvEditFocusStyle FocusStyle() const { return FFocusStyle; }
    void SetFocusStyle(TdvEditFocusStyle valor) { FFocusStyle = valor; }
    [[nodiscard]] TdvEditFocusStyle NonFocusStyle() const { return FNonFocusStyle; }
    void SetNonFocusStyle(TdvEditFocusStyle valor);
    int NonFocusTextOffsetX = 0;
    int NonFocusTextOffsetY = 0;
    [[nodiscard]] bool Transparent() const { return FTransparent; }
    void SetTransparent(bool valor);
    bool EraseOnInvalidate = false;   // the parent's background is erased too when invalidated
    int AutoSizeHeightAdjust = 0;
    QColor NonFocusTransparentFontColor;   // invalid: the font's own colour
    // Cleared while the edit has the focus, set again when it loses it.
    bool TransparentNow = false;

    // Enabled, with a control, and the control not inside a grid (no frame is drawn there).
    [[nodiscard]] bool IsFrameEffective() const;

    void DrawFrame(QPainter& p, bool focused) const;
    // Clears the unfocused look: the parent repaints the area under the frame.
    void EraseFrame(bool clientOnly) const;
    // The formatting rectangle that the focused frame leaves for the text.
    void GetFrameInsets(TRect& r) const;
    // Origin of self-drawn text.
    virtual void GetTextOffsets(int& x, int& y, bool focused) const;
    // The edit's height for its font.
    void AdjustHeight() const;

    // The arithmetic, without a control.
    [[nodiscard]] static bool IsThin(TdvEditFocusStyle estilo);
    [[nodiscard]] static TRect FrameRect(const TRect& client, TdvEditFrameEnabledSet lados, bool transparent);
    [[nodiscard]] static unsigned EdgeSides(TdvEditFrameEnabledSet lados);
    [[nodiscard]] static unsigned EdgeKind(TdvEditFocusStyle estilo);
    [[nodiscard]] static unsigned EdgeFlags(TdvEditFocusStyle estilo);
    [[nodiscard]] static TRect Insets(TRect r, TdvEditFrameEnabledSet lados, TdvEditFocusStyle estilo);
    [[nodiscard]] static int AutoHeight(int fonte, int fonteSistema, bool newStyle, bool ctl3D, bool semBorda,
                                        bool frameEnabled, int ajuste);
    // The parent's area to repaint: bounds (in the parent) and the formatting rectangle.
    [[nodiscard]] static TRect EraseArea(const TRect& bounds, const TRect& formatting, bool leftBorder);

private:
    void InvalidaControle() const;
    void VerificaRecriacao() const;

    QPointer<QWidget> FControl;
    bool FEnabled = false;
    TdvEditFrameEnabledSet FNonFocusBorders = efBottomBorder;
    TdvEditFrameEnabledSet FFocusBorders = efLeftBorder | efTopBorder | efRightBorder | efBottomBorder;
    TdvEditFocusStyle FFocusStyle = TdvEditFocusStyle::efsFrameBox;
    TdvEditFocusStyle FNonFocusStyle = TdvEditFocusStyle::efsFrameBox;
    bool FTransparent = false;
};
