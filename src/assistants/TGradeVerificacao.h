#pragma once
#include <functional>

#include "components/controls/TdvCustomDBGrid.h"

// The read-only list of the verification's rows: the library grid over the verification table,
// whole rows selected, moved through by the mouse and the arrow, page, Home and End keys; a
// double-click asks for the row's item to be located.
class TGradeVerificacao final : public TdvCustomDBGrid {
    Q_OBJECT
public:
    explicit TGradeVerificacao(QWidget* parent = nullptr);

    std::function<void()> OnDblClick;

protected:
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseDoubleClickEvent(QMouseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    // Makes the record of that grid row current; false for a row without one.
    bool VaiParaLinha(int linha);
    void Move(int distancia);
};
