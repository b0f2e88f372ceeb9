#pragma once
#include <QComboBox>

// A drop-down list that ignores the mouse wheel, as the program's other combos do: a choice is
// made with a click or the keys, never by a wheel turned on its way over the window. The wheel
// goes on to the control beneath (a scrolling page scrolls).
class TComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TComboBox(QWidget* parent = nullptr);

protected:
    void wheelEvent(QWheelEvent* e) override;
};
