#pragma once
#include <QObject>
#include <QTimer>
#include <memory>

#include "components/controls/grid/TdvGridHintWindow.h"
#include "platform/widgets/grid/TCustomGrid.h"

class TField;
class TdvCustomDBGrid;

// The hint that shows a data cell's whole text while the mouse rests on a cell too small for
// it. It appears when the mouse enters such a cell and goes when the mouse leaves the cell or
// the grid, or after the application's hint-hide pause (16 checks of 250 ms at least); a hint
// that timed out does not come back until the mouse enters another cell.
class TdvCellHint final : public QObject {
public:
    explicit TdvCellHint(TdvCustomDBGrid& grid);
    ~TdvCellHint() override;

    // The mouse moved to (x, y) of the grid's client.
    void MouseMoved(int x, int y);
    // Frees the window and stops the checks; the last cell stays.
    void Hide();
    // One check of the mouse (every 250 ms while the window shows).
    void Tick();

    [[nodiscard]] TdvGridHintWindow* Window() const { return FJanela.get(); }
    [[nodiscard]] TGridCoord LastCell() const { return FUltima; }

private:
    void Mostra(int coluna, int linha, TField* campo, const QString& texto, bool esquerda);

    TdvCustomDBGrid& FGrid;
    std::unique_ptr<TdvGridHintWindow> FJanela;
    QTimer FTimer;
    TGridCoord FUltima;
    int FTiques = 0;
};
