#pragma once
#include <QPixmap>
#include <functional>
#include <memory>

#include "components/controls/edits/TdvDBCustomEdit.h"

class TBtnWinControl;
class TdvComboButtonEffects;
class TdvComboDlgButton;

enum class TdvComboButtonStyle { cbsEllipsis, cbsDownArrow, cbsCustom };

// Where the button host and the button go, and the text's rectangle beside them (client
// coordinates; the button within its host).
struct TdvComboLayout {
    TRect Host;
    TRect Button;
    TRect EditRect;
};

// The masked data-aware edit with a button inside its right edge (an ellipsis, a drop-down arrow
// or a custom glyph) and the protocol that drops a derived control's drop-down and closes it by
// button, mouse and keys. This class itself only calls OnDlgButtonClick when dropped down.
class TdvDBCustomCombo : public TdvDBCustomEdit {
    Q_OBJECT
public:
    explicit TdvDBCustomCombo(QWidget* parent = nullptr);
    ~TdvDBCustomCombo() override;

    std::function<void(QObject* sender)> OnDlgButtonClick;

    [[nodiscard]] TdvComboButtonStyle ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(TdvComboButtonStyle estilo);
    [[nodiscard]] int ButtonWidth() const { return FButtonWidth; }
    // 0: the larger of the system's vertical scroll bar width and 15.
    void SetButtonWidth(int largura);
    [[nodiscard]] const QPixmap& ButtonGlyph() const { return FButtonGlyph; }
    void SetButtonGlyph(const QPixmap& glifo);
    [[nodiscard]] TdvComboButtonEffects& ButtonEffects() { return *FButtonEffects; }
    [[nodiscard]] bool ShowButton() const;
    void SetShowButton(bool valor);
    // Kept for the owner's settings: the edit is single-line and needs no multi-line window to
    // limit its text rectangle.
    bool LimitEditRect = false;

    [[nodiscard]] virtual bool DroppedDown() const { return FDroppedDown; }
    virtual void DropDown();
    // Closes the drop-down; Accept keeps what it chose (here: marks the edit modified).
    virtual void CloseUp(bool accept);

    // The button's face for the current style and looks.
    virtual void GlyphChanged();
    [[nodiscard]] bool PressedLook() const { return FPressedLook; }
    [[nodiscard]] TdvComboDlgButton* Button() const { return FButton; }
    [[nodiscard]] TBtnWinControl* ButtonHost() const { return FHost; }
    // Draws the face of the current style into the button's rectangle.
    virtual void DrawButtonFace(QPainter& p, const TRect& r, bool pressed);
    // Whether the button paints the face itself (step 2 of the button's painting).
    [[nodiscard]] bool ButtonDrawsFace(bool pressed) const;
    // Whether the button draws its edge (flat buttons of an unfocused combo do not).
    [[nodiscard]] bool ButtonDrawsEdge(bool pressed) const;
    [[nodiscard]] bool InDBGrid() const;

    // The button's click: closes an open drop-down, else takes the focus and drops down.
    void ButtonClick();
    // The button's press when the button acts on the press.
    void ButtonPress();

    [[nodiscard]] int EffectiveButtonWidth() const;
    [[nodiscard]] static int DefaultButtonWidth();
    // The layout for a client size (see UpdateEditRect).
    [[nodiscard]] static TdvComboLayout LayoutFor(int larguraCliente, int alturaCliente, int larguraBotao,
                                                  bool frameEffective, bool comBorda, bool mostraBotao,
                                                  const TdvEditFrame& frame);

    void UpdateEditRect() override;
    [[nodiscard]] bool HasEditableText() const override;

protected:
    [[nodiscard]] virtual bool IsCustomStyle() const { return FButtonStyle == TdvComboButtonStyle::cbsCustom; }
    [[nodiscard]] virtual QPixmap FaceBitmap() const;
    [[nodiscard]] virtual bool TypingAllowed() const { return FListOnlyStyle != 1; }
    // 1: the text cannot be typed and a click anywhere in it drops down.
    void SetListOnlyStyle(int estilo);
    [[nodiscard]] int ListOnlyStyle() const { return FListOnlyStyle; }
    void SetDroppedDownFlag(bool valor);
    // The drop-down keys: Alt+Up and Alt+Down toggle, Enter and Esc close an open drop-down;
    // each is then dropped.
    void DropDownKeys(int& key, Qt::KeyboardModifiers shift);
    [[nodiscard]] bool WantsKey(int key) const override;

    void Loaded() override;
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void CMEnter() override;
    void CMExit() override;
    void Resized() override;
    void changeEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    void PosicionaBotao();

    TBtnWinControl* FHost;        // child widget, owned through Qt
    TdvComboDlgButton* FButton;   // child of the host
    TdvComboButtonStyle FButtonStyle = TdvComboButtonStyle::cbsEllipsis;
    int FListOnlyStyle = 0;
    bool FDroppedDown = false;
    bool FPressedLook = false;
    std::unique_ptr<TdvComboButtonEffects> FButtonEffects;
    QPixmap FButtonGlyph;
    int FButtonWidth = 0;
    bool FShowButton = true;
};
