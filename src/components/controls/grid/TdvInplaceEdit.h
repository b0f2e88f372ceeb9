#pragma once
#include <memory>

#include "components/controls/edits/TdvDBPicture.h"
#include "platform/widgets/grid/TInplaceEdit.h"

class TdvCustomDBGrid;

// The data grid's cell editor: the platform editor with the picture mask of the current
// column, read from the grid's picture-mask owner each time the editor takes the focus, checked
// as the user types (literals filled in, a key that breaks the mask at the end refused with a
// beep) and reported to the grid's OnCheckValue.
class TdvInplaceEdit final : public TInplaceEdit {
    Q_OBJECT
public:
    explicit TdvInplaceEdit(TdvCustomDBGrid& grid);
    ~TdvInplaceEdit() override;

    [[nodiscard]] TdvCustomDBGrid& DBGrid() const { return FGrid; }
    // The current column's mask and flags (AllowInvalidExit stays false).
    [[nodiscard]] TdvDBPicture& Picture() { return *FPicture; }
    [[nodiscard]] const TdvDBPicture& Picture() const { return *FPicture; }
    // The mask is checked while typing (the second flag of the field's line).
    bool UsePictureMask = false;
    // Kept from the grid's dgWordWrap; a single-line editor does not wrap.
    bool WordWrap = false;

    [[nodiscard]] bool HasPictureMask() const;
    // True for an empty text or no mask, else when the mask finds the text complete; the
    // outcome goes to the grid's OnCheckValue.
    bool ValidatePicture(const QString& texto);

protected:
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void KeyPress(QChar& key) override;
    void KeyUp(int& key, Qt::KeyboardModifiers shift) override;
    void WMPaste() override;
    void BoundsChanged() override;
    void FontChanged() override;
    void focusInEvent(QFocusEvent* e) override;

private:
    void LeMascara();
    void TeclaComMascara(QChar& key);
    void InformaValidacao(bool passou);

    TdvCustomDBGrid& FGrid;
    std::unique_ptr<TdvDBPicture> FPicture;
};
