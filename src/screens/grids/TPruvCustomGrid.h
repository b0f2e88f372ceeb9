#pragma once
#include <QPoint>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "platform/widgets/grid/TCustomGrid.h"
#include "platform/widgets/grid/TInplaceEdit.h"
#include "screens/fields/TInicioDeArraste.h"

class QMimeData;
class TDragMonetario;
class TErro;
class TPruvCustomGrid;

// What the hint handler knows of a hint being shown: where the mouse is (the grid's client
// coordinates) and the area in which the same hint stays.
struct THintInfo {
    QPoint CursorPos;
    TRect CursorRect;
};

// The ordinary cell editor; right-aligned in a money grid. Enter and Tab go to the grid's
// keys first, so the editor moves by the grid's rules and Tab at its ends leaves the grid.
// Esc gives the editor the cell's stored text again, all selected.
class TPruvCustomInplaceEdit : public TInplaceEdit {
    Q_OBJECT
public:
    explicit TPruvCustomInplaceEdit(TPruvCustomGrid& grid);

    // The clipboard's text into the cell, when the cell may change.
    void Cola() { WMPaste(); }

protected:
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void keyPressEvent(QKeyEvent* e) override;

    TPruvCustomGrid& FPruvGrid;
};

// The editor of money cells: keys typed by TMonetario::Digitacao (at most 11 integer digits and 2
// decimals, "." and "," both the decimal comma), the second decimal moving on to the next cell.
// Shift with the left button drags its amount; an amount dropped on it replaces its text.
class TPruvInplaceEditMonetario final : public TPruvCustomInplaceEdit {
    Q_OBJECT
public:
    explicit TPruvInplaceEditMonetario(TPruvCustomGrid& grid);

protected:
    void KeyPress(QChar& key) override;
    // Only a text that reads as one amount (TMonetario::QuantiaColada) replaces the cell's,
    // whether pasted, pasted with the middle button or dropped, with that amount whole; any other
    // is refused with message 114 (165 above the maximum) and the cell keeps its value.
    void WMPaste() override;
    void PasteSelection(const QString& texto) override;
    void mousePressEvent(QMouseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void ColaQuantia(const QString& texto);
};

// The base of the data-entry grids: an owner-drawn grid without data of its own. A derived grid
// says which cells are editable, gives and takes each cell's text and validates a row as it is
// left. This base moves round the editable area with Enter, Tab and the arrows, leaves the grid
// with Tab at its ends, copies and pastes one cell, edits money with strict typing, paints
// title, fixed, normal and focused cells, and drags money values between cells.
//
// A cell's text reaches SetTexto only when its editor closes (moving to another cell, leaving
// the grid, Valida, a drop), never while the user types.
class TPruvCustomGrid : public TCustomGrid {
    Q_OBJECT
public:
    using TGridGetHintEvent = std::function<void(int ACol, int ARow, QString& Value, bool& CanShow)>;
    using TNotifyEvent = std::function<void(TPruvCustomGrid* sender)>;

    explicit TPruvCustomGrid(QWidget* parent = nullptr);
    ~TPruvCustomGrid() override;

    // Fired when Enter is pressed in the last editable cell, after the grid went to the first.
    TNotifyEvent OnPressEnter;
    // Asked for the hint of the cell under the mouse.
    TGridGetHintEvent OnHint;

    [[nodiscard]] int EditLimit() const { return FEditLimit; }
    void SetEditLimit(int limite) { FEditLimit = limite; }
    // No cell can be edited, pasted into or dropped on.
    [[nodiscard]] bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool valor) { FReadOnly = valor; }
    [[nodiscard]] bool Monetario() const { return FMonetario; }

    // Closes the editor (its text goes to SetTexto) and validates the current row. False only
    // when the model refused the cell's text: its message was shown and the editor kept it.
    bool Valida();
    // The item the cells show is about to change (a derived grid is handed another, or a page
    // reads this one again): an open editor goes back to the item it was opened on, written to
    // it with Guarda (false, the editor kept, when the model refuses the text: its message was
    // shown) or dropped without; it is never carried to the next item. The grid is then entered
    // afresh: the next click or key selects what a cell holds.
    bool LargaItem(bool Guarda);
    // Makes the cell current and the whole selection.
    void SelecionaCelula(int ACol, int ARow);
    enum TDirecao { dirProxima = 1, dirAnterior = 2, dirAbaixo = 3, dirAcima = 4 };
    // Walks the editable area in that direction, round its edges, to the next editable cell;
    // stays when there is none other.
    void MoveCelula(int Direcao);

    // What a derived grid says of its cells. By default every cell beyond the fixed ones is
    // editable and holds an empty text.
    [[nodiscard]] virtual bool CelulaEditavel(int ACol, int ARow);
    [[nodiscard]] virtual QString GetTexto(int ACol, int ARow);
    virtual void SetTexto(int ACol, int ARow, const QString& Value);
    // Reloads every cell text from the model; called when the grid is first shown and after its
    // size changes.
    virtual void Atualiza() {}
    [[nodiscard]] virtual TGridRect AreaEditavel();
    // False keeps the user on the row.
    [[nodiscard]] virtual bool ValidaLinha(int ARow);
    // The hint of the cell under HintInfo.CursorPos; the hint stays while the mouse is within
    // the cell enlarged by one pixel.
    virtual void MostraHint(QString& HintStr, bool& CanShow, THintInfo& HintInfo);

    // Tab without Shift in the last editable cell, or Shift+Tab in the first: the focus goes to
    // the next or previous control and the answer is true.
    bool SaiComTab(int key, Qt::KeyboardModifiers shift);

protected:
    friend class TPruvCustomInplaceEdit;
    friend class TPruvInplaceEditMonetario;

    void SetMonetario(bool valor) { FMonetario = valor; }

    virtual void DesenhaCelula(int ACol, int ARow, TGridDrawState State, const TRect& Rect);

    // Painters: background, text with the alignment (0 left, 1 right, 2 centre), edge.
    enum TAlinhamento { alEsquerda = 0, alDireita = 1, alCentro = 2 };
    void DesenhaCelulaTitulo(const TRect& Rect, const QString& Texto, int Alinhamento);
    void DesenhaCelulaFixa(const TRect& Rect, const QString& Texto, int Alinhamento);
    void DesenhaCelulaNormal(const TRect& Rect, const QString& Texto, int Alinhamento);
    void DesenhaCelulaSelecionada(const TRect& Rect, const QString& Texto, int Alinhamento);
    void DesenhaCelulaTotal(const TRect& Rect, const QString& Texto, int Alinhamento);
    void DesenhaCelulaTotalRebaixada(const TRect& Rect, const QString& Texto, int Alinhamento);
    void EscreveTexto(const TRect& Rect, const QString& Texto, int Alinhamento);
    void DesenhaBorda3D(const TRect& Rect, const QColor& Primeira, const QColor& Segunda);

    // Closes the editor, its text going to SetTexto. A text the model refuses (a TErro) leaves
    // the editor open on the cell with the text typed, the message shown (once the focus has
    // settled, when adiaMensagem) and the answer false.
    bool FechaEditor(bool adiaMensagem);

    // Shows a message of the grid (a warning, a value written otherwise): at once, or once the
    // focus has settled while the user is leaving the grid.
    void Avisa(const TErro& Erro);
    // The amount a person's text puts in a cell (TMonetario::QuantiaColada), or nothing once the
    // grid has shown why it refuses the text.
    [[nodiscard]] std::optional<QString> QuantiaColada(const QString& texto);

    // Starts dragging an amount out of the grid or its editor; the drop comes later.
    virtual void Arrasta(std::unique_ptr<TDragMonetario> dados);

    TInplaceEdit* CreateEditor() override;
    // A row pointed at outside its editable cells (its title, a cell that takes no typing, the
    // empty area beyond its last column) gives its nearest editable cell, so that what is typed
    // next lands in that row; a row without one, a title row or the area below the rows give
    // none, and the current cell stays where it shows.
    [[nodiscard]] TGridCoord CelulaDoClique(int x, int y) override;
    void DrawCell(int coluna, int linha, const TRect& r, TGridDrawState estado) override;
    [[nodiscard]] bool SelectCell(int coluna, int linha) override;
    [[nodiscard]] bool CanEditModify() override;
    // A read-only grid has no cell to edit: typing, pasting, F2 or a click open no editor.
    [[nodiscard]] bool CanEditShow() override;
    void SetEditText(int coluna, int linha, const QString& valor) override;
    [[nodiscard]] int GetEditLimit() override;
    void EditorTextChanged() override {}
    void SizeChanged(int colunasAntes, int linhasAntes) override;
    void Resized() override;
    void CreateWnd() override;
    void DoEnter() override;
    void DoExit() override;
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void KeyPress(QChar& key) override;
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, bool doubleClick, int x, int y) override;
    void MouseMove(Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;

    void keyPressEvent(QKeyEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    // The editable cell under the point that may take a drop, with its coordinates.
    [[nodiscard]] bool AceitaSoltar(const QPoint& ponto, const QMimeData* dados, TGridCoord& celula);
    // The first editable cell of the area, walking on from its top-left corner.
    [[nodiscard]] TGridCoord PrimeiraEditavel();
    void CopiaCelula();
    // The current row's check, unless it already ran with nothing written since: one action
    // checks the row as the declaration, the page and the focus leave it, and warns once.
    void ValidaLinhaUmaVez();
    // A key that acts on the grid or its editor ends its entry (a modifier alone does not).
    void UsaEntrada(int key);

    int FEditLimit = 0;
    int FLinhaValidada = -1;   // the row checked last, while nothing was written in it
    bool FMonetario = false;
    bool FReadOnly = false;
    bool FSuprimeValidacao = false;
    bool FSaindo = false;   // DoExit runs
    // The grid was entered, by any road, or its item changed, and no click or key has used it
    // since: the next click only makes its cell current, as the click that brings the focus does,
    // so that the two clicks that open a cell always find its amount selected.
    bool FEntrada = false;
    bool FCliqueDeEntrada = false;   // that click is being handled: it opens no editor
    TInicioDeArraste FArraste{12};   // a press on a money grid, until 12 pixels away
};
