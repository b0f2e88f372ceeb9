#pragma once
#include <QString>

class IdvPublished;
class TdvCustomMaskEdit;

// The picture-mask settings of a library edit: its own mask and flags, or, when asked and the
// edit is bound to a dataset that keeps PictureMasks lines, the line of its field.
class TdvDBPicture {
public:
    explicit TdvDBPicture(TdvCustomMaskEdit* owner);

    bool PictureMaskFromDataSet = true;

    // The field's line (a picture the table itself defines comes first), else the own mask.
    [[nodiscard]] QString PictureMask() const;
    // Refused, with a warning, when the table itself defines the field's picture; otherwise
    // stored and written into the field's line.
    void SetPictureMask(const QString& mascara);
    // The line's auto-fill flag when it gives a mask, else the own flag.
    [[nodiscard]] bool AutoFill() const;
    void SetAutoFill(bool valor);
    // Always false for a mask from the dataset (writing it is then ignored).
    [[nodiscard]] bool AllowInvalidExit() const;
    void SetAllowInvalidExit(bool valor);

    // An empty text, or any text without a mask, passes; otherwise the text must complete the
    // mask (read with AutoFill, the text itself left as it is).
    [[nodiscard]] bool PassesPicture(const QString& texto) const;

    // PictureMask and AutoFill, as read.
    void Assign(const TdvDBPicture& origem);

    // The mask comes from the dataset's PictureMasks line of the field.
    [[nodiscard]] bool MaskFromDataSet() const;
    // Copies the field's line into the own settings.
    void RefreshFromDataSet();

private:
    [[nodiscard]] IdvPublished* DataSet() const;
    [[nodiscard]] QString Field() const;

    TdvCustomMaskEdit* FOwner;   // owns this object
    QString FPictureMask;
    bool FAutoFill = true;
    bool FAllowInvalidExit = false;
};
