#pragma once
#include "platform/db/sqlite/TFieldType.h"
#include "platform/widgets/controls/THintWindow.h"

// The window of a grid's cell hint: the cell's whole text inside a 2-pixel margin, in the info
// text colour, aligned as the cell and wrapped between words when asked.
class TdvGridHintWindow final : public THintWindow {
    Q_OBJECT
public:
    using THintWindow::THintWindow;

    bool WordWrap = true;
    TAlignment Alignment = taLeftJustify;

protected:
    void Paint(QPainter& p) override;
};
