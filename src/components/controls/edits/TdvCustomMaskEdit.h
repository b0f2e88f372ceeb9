#pragma once
#include <functional>
#include <memory>

#include "components/controls/edits/TdvDBPicture.h"
#include "components/controls/edits/TdvEditFrame.h"
#include "components/data/settings/IdvPublished.h"
#include "platform/widgets/controls/TCustomEdit.h"

// (Sender, Passed): the outcome of a picture check.
using TdvValidateEvent = std::function<void(QObject* sender, bool passed)>;

// The library's masked edit: a picture mask checked and completed as the user types, and the
// flat frame of TdvEditFrame.
class TdvCustomMaskEdit : public TCustomEdit {
    Q_OBJECT
    Q_PROPERTY(bool WantReturns READ WantReturns WRITE SetWantReturns)
public:
    explicit TdvCustomMaskEdit(QWidget* parent = nullptr);
    ~TdvCustomMaskEdit() override;

    [[nodiscard]] TdvDBPicture& Picture() { return *FPicture; }
    [[nodiscard]] const TdvDBPicture& Picture() const { return *FPicture; }
    [[nodiscard]] TdvEditFrame& Frame() { return *FFrame; }
    [[nodiscard]] const TdvEditFrame& Frame() const { return *FFrame; }

    TdvValidateEvent OnCheckValue;
    [[nodiscard]] bool UsePictureMask() const { return FUsePictureMask; }
    void SetUsePictureMask(bool valor) { FUsePictureMask = valor; }
    [[nodiscard]] bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool valor) { FWantReturns = valor; }
    // Kept for the owner's settings; a single-line edit neither wraps nor scrolls vertically.
    bool WordWrap = false;
    bool ShowVertScrollBar = false;
    // The platform masked edit's own mask language is not used by the library's edits: the
    // field's mask is only kept.
    QString EditMask;

    // The last exit was refused by the picture check.
    [[nodiscard]] bool InvalidExit() const { return FInvalidExit; }
    // The last key press was applied by the picture logic.
    [[nodiscard]] bool KeyConsumed() const { return FKeyConsumed; }

    // UsePictureMask and a mask set.
    [[nodiscard]] bool PictureMaskInUse() const;
    // Empty text or no mask: valid; else the mask must find the text complete. The outcome goes
    // to the check-value notification.
    bool ValidatePicture(const QString& texto);

    // Where a mask from a dataset comes from; none here.
    [[nodiscard]] virtual IdvPublished* PictureDataSet() const { return nullptr; }
    [[nodiscard]] virtual QString PictureField() const { return {}; }

    // Sets the formatting rectangle for the current size, border and frame.
    virtual void UpdateEditRect();
    // The rectangle for a client size: right edge at the width less 1, bottom at the height plus
    // 1; left and top 2 for an edit without border in a grid, the frame's insets with the frame
    // enabled, 0 with a border, else 1.
    [[nodiscard]] static TRect EditRectFor(int largura, int altura, bool comBorda, bool naGrade,
                                           const TdvEditFrame& frame);

protected:
    [[nodiscard]] virtual bool IsOwnerDraw() const { return false; }
    virtual void CheckValue(bool passou);
    // Lets the picture logic change the text (a data-aware edit puts its link in edit state).
    virtual void PictureEditing() {}
    void SetPictureText(const QString& texto);
    [[nodiscard]] bool PictureSettingText() const { return FPictureSetText; }

    void KeyPress(QChar& key) override;
    void DoExit() override;
    [[nodiscard]] bool WantsKey(int key) const override;

private:
    void TeclaComMascara(QChar& key);

    std::unique_ptr<TdvDBPicture> FPicture;
    bool FUsePictureMask = true;
    bool FWantReturns = false;
    bool FInvalidExit = false;
    std::unique_ptr<TdvEditFrame> FFrame;
    bool FKeyConsumed = false;
    bool FPictureSetText = false;
};
