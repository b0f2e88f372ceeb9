#pragma once
#include "platform/widgets/controls/TSpeedButton.h"

class TdvDBCustomCombo;

// The button of a combo: its face comes from the combo's button style and looks.
class TdvComboDlgButton final : public TSpeedButton {
    Q_OBJECT
public:
    TdvComboDlgButton(QWidget* host, TdvDBCustomCombo* combo);

protected:
    void PaintFace(QPainter& p) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    TdvDBCustomCombo* FCombo;   // owns the button through its host
};
