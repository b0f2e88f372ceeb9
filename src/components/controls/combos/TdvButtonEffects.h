#pragma once
#include <QPointer>
#include <QWidget>

#include "platform/widgets/controls/TSpeedButton.h"

// The normal, flat or transparent look of the button embedded in a library edit.
class TdvButtonEffects {
public:
    TdvButtonEffects(QWidget* control, TSpeedButton* button);
    TdvButtonEffects(const TdvButtonEffects&) = delete;
    TdvButtonEffects& operator=(const TdvButtonEffects&) = delete;
    virtual ~TdvButtonEffects() = default;

    [[nodiscard]] bool Transparent() const { return FTransparent; }
    // Both set the button's Flat (and Transparent sets its Transparent) to "either look is on".
    void SetTransparent(bool valor);
    [[nodiscard]] bool Flat() const { return FFlat; }
    void SetFlat(bool valor);

    [[nodiscard]] QWidget* Control() const { return FControl; }
    [[nodiscard]] TSpeedButton* Button() const { return FButton; }

protected:
    // Called after every change of look.
    virtual void Refresh() {}

private:
    bool FTransparent = false;
    bool FFlat = false;
    QPointer<QWidget> FControl;
    QPointer<TSpeedButton> FButton;
};
