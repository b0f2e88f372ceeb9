#pragma once
#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QTimer>

class QPainter;
class TdvCustomDBGrid;

// Moving a data grid's column by dragging its title. A press on a movable title waits; once the
// mouse moves more than 2 pixels the title's picture follows it along the title row, and while
// it is held past the right or left edge the columns scroll one per 100 ms. The release moves
// the column to the one under the mouse; a press that never moved is left to the grid as a
// click on the title.
class TdvColumnDrag final : public QObject {
public:
    explicit TdvColumnDrag(TdvCustomDBGrid& grid);

    // A left press on the title of that grid column.
    void Press(int coluna, int x, int y);
    // Between the press and the release (or the cancel).
    [[nodiscard]] bool Pressed() const { return FColuna >= 0; }
    // The picture is shown.
    [[nodiscard]] bool Dragging() const { return FArrastando; }
    void Move(int x, int y);
    // Ends the press: true when a drag ran (and the column moved unless dropped where it
    // started); false for a click.
    bool Release(int x, int y);
    // The mouse was lost: the column stays.
    void Cancel();
    // Draws the picture where it is; the grid calls it after painting its cells.
    void Paint(QPainter& p) const;
    // One step of the automatic scrolling.
    void Tick();

private:
    void Inicia();
    void Termina();
    [[nodiscard]] QRect AreaDaImagem(int x) const;

    TdvCustomDBGrid& FGrid;
    int FColuna = -1;
    QPoint FInicio;
    int FDeslocamentoX = 0;   // from the title's left edge to the press
    bool FArrastando = false;
    bool FParaDireita = true;
    int FUltimoX = 0;
    QPixmap FImagem;
    QRect FArea;
    QTimer FTimer;
};
