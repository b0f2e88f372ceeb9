#pragma once
#include <QByteArray>
#include <QMap>
#include <QPoint>
#include <QString>
#include <QStringList>

class QAbstractScrollArea;
class QScrollBar;
class QWidget;
class TCustomGrid;

// Drives a shown window with the mouse as a user points, and lists every fault found, each as
// "window: widget: fault":
// - the pointer rests (a tool-tip event through the event loop, after the hint's pause) on points
//   over every visible control, and on every grid's cells, title row, row titles, empty area,
//   scroll bars and corner;
// - clicks, double-clicks and right-clicks on grids, lists, combos and edits, and each item of a
//   context menu; the wheel over every grid, list and combo; every scroll bar's thumb dragged to
//   the top, the middle and the bottom; a character typed on every read-only grid.
// Left to the keyboard walks, as commands or typing: clicks on buttons, tabs and check boxes; a
// double click on a data cell of a grid where it opens or goes on; the items of an edit's menu
// that edit its text (on a read-only one they must be off); and Qt's own file dialog.
// None of this may change a stored value (the rows of the data folder's database), a read-only
// cell or a read-only edit, or open an editor on a read-only grid. A crash names the window and
// the control being pointed at on the standard error before the process ends.
//
// PRUV_VISTORIA_MOUSE=completa rests the pointer every 8 pixels of every control and on every
// cell shown, instead of on a few points of each.
class VistoriaMouse {
public:
    VistoriaMouse(QWidget& janela, QString nome);

    [[nodiscard]] QStringList Falhas();

    // The rows of every table of the data folder's database, as one text a table.
    [[nodiscard]] static QMap<QString, QByteArray> Guardado();

private:
    void Repousos();
    void Repousa(QPoint ponto);   // in the window's coordinates
    void RepousosDaGrade(TCustomGrid& grade);
    void Cliques();
    void Clica(QWidget& controle, QPoint ponto, bool duplo);
    void MenuDeContexto(QWidget& controle);
    void Rodas();
    void Barras();
    void ArrastaPolegar(QScrollBar& barra);
    void DigitaEmGradesSomenteLeitura();
    // Closes a drop-down or menu the last action left open.
    static void FechaSobrepostos();
    [[nodiscard]] bool Aberta() const;
    void Onde(const QWidget& controle, const char* acao);
    void Falha(const QWidget& controle, const QString& problema);
    [[nodiscard]] QString Nome(const QWidget& controle) const;
    [[nodiscard]] QList<QWidget*> Visiveis() const;

    QWidget& FJanela;
    QString FNome;
    QStringList FFalhas;
    bool FCompleta = false;
};
