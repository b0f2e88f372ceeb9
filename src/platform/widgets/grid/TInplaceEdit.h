#pragma once
#include "platform/widgets/controls/TCustomEdit.h"

class TCustomGrid;

// The edit a grid shows over its current cell while it is in editor mode. It belongs to the
// grid (a child of the grid itself, created by CreateEditor on first use and kept until the
// grid goes) and asks the grid everything: the text and length limit of the cell, whether a
// character may be typed and whether the cell may be changed at all. Keys that move between
// cells go to the grid's KeyDown; its characters pass the grid's KeyPress first. The grid hears
// of every change of the text (EditorTextChanged) and writes it to the cell when the editor
// closes.
class TInplaceEdit : public TCustomEdit {
    Q_OBJECT
public:
    explicit TInplaceEdit(TCustomGrid& grid);

    [[nodiscard]] TCustomGrid& Grid() const { return FGrid; }

    // Shows the editor over r (the grid's client coordinates, clipped to the client) and, when
    // the grid has the focus, gives the editor the focus; an empty rectangle hides it.
    void Move(const TRect& r);
    // Follows the cell to r without repainting more than it must.
    void UpdateLoc(const TRect& r);
    // Hides the editor; the grid takes the focus back when the editor had it.
    void Hide();
    [[nodiscard]] bool Visible() const { return isVisible(); }
    // Takes the focus when shown.
    void SetFocus();
    void Deselect() { deselect(); }
    // Loads the current cell: its text and the grid's length limit.
    virtual void UpdateContents();
    // A character typed on the grid itself goes on here, as if typed into the editor.
    void PostChar(QChar c);

protected:
    // The text's rectangle after the size changed.
    virtual void BoundsChanged();

    // The grid's key handlers, for editors that hand keys on.
    void GridKeyDown(int& key, Qt::KeyboardModifiers shift);
    void GridKeyPress(QChar& key);
    [[nodiscard]] bool GridCanEditModify();

    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void KeyPress(QChar& key) override;
    void KeyUp(int& key, Qt::KeyboardModifiers shift) override;
    // Enter and Esc belong to the cell, never to a dialog's buttons.
    [[nodiscard]] bool WantsKey(int key) const override;
    void Change() override;
    void WMPaste() override;
    void PasteSelection(const QString& texto) override;
    void WMCut() override;
    void Resized() override;

    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    void InternalMove(const TRect& r, bool redraw);

    TCustomGrid& FGrid;
};
