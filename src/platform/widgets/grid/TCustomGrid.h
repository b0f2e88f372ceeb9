#pragma once
#include <QAbstractScrollArea>
#include <QColor>
#include <QRegion>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/widgets/painting/TCanvas.h"
#include "platform/widgets/grid/TGridAxis.h"
#include "platform/widgets/painting/TRect.h"

enum TGridOption : std::uint32_t {
    goFixedVertLine = 1u << 0,
    goFixedHorzLine = 1u << 1,
    goVertLine = 1u << 2,
    goHorzLine = 1u << 3,
    goRangeSelect = 1u << 4,
    goDrawFocusSelected = 1u << 5,
    goRowSizing = 1u << 6,
    goColSizing = 1u << 7,
    goRowMoving = 1u << 8,
    goColMoving = 1u << 9,
    goEditing = 1u << 10,
    goTabs = 1u << 11,
    goRowSelect = 1u << 12,
    goAlwaysShowEditor = 1u << 13,
    goThumbTracking = 1u << 14,
};
using TGridOptions = std::uint32_t;

enum TGridDrawStateFlag : std::uint8_t { gdSelected = 1u << 0, gdFocused = 1u << 1, gdFixed = 1u << 2 };
using TGridDrawState = std::uint8_t;

enum class TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

// What the user asked of a scroll bar.
enum class TScrollCode : std::uint8_t { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTop, scBottom };

struct TGridCoord {
    int X = -1;
    int Y = -1;
    friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// Cells from Left,Top to Right,Bottom, both ends included.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    [[nodiscard]] bool Contains(int col, int row) const
    {
        return col >= Left && col <= Right && row >= Top && row <= Bottom;
    }
    friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

// Where the mouse is held beyond the cells while selecting.
enum TGridScrollDirection : std::uint8_t { sdLeft = 1u << 0, sdRight = 1u << 1, sdUp = 1u << 2, sdDown = 1u << 3 };
using TGridScrollDirections = std::uint8_t;

// What a held mouse button is doing.
enum class TGridState : std::uint8_t { gsNormal, gsSelecting, gsColSizing };

class QTimer;
class TInplaceEdit;

// A scroll bar's values as the platform gives them: the position runs from Min to
// Max - Page + 1 (Max with a page of 0).
struct TScrollInfo {
    int Min = 0;
    int Max = 0;
    int Page = 0;
    int Pos = 0;
    friend bool operator==(const TScrollInfo&, const TScrollInfo&) = default;
};

// A grid of cells drawn by the derived class: fixed rows and columns that never scroll, cell
// sizes, the current cell and the selection, the first scrolling row and column shown, grid
// lines, scroll bars and invalidation. Each paint calls DrawCell once per visible cell on the
// canvas of that paint.
//
// Keys arrive as KeyDown, then KeyPress for the character they type (Enter and Esc are offered
// to the dialog first); the default KeyDown moves the current cell (arrows, pages, Home, End,
// Tab through the tab stops with goTabs, F2 for the editor) and KeyPress switches the editor
// with Enter. A character typed on the grid with goEditing opens the editor and goes into it.
// The mouse arrives as MouseDown, MouseMove and MouseUp (client coordinates): a press on a
// column's right border within the fixed rows resizes the column with goColSizing; a press on a
// cell makes it current (a second press on the current cell opens the editor with goEditing);
// without goEditing, holding the button drags the current cell, scrolling every 60 ms while the
// mouse is beyond the cells (TimedScroll).
//
// In-place editing: the editor (CreateEditor) shows over the current cell while EditorMode is
// on and CanEditShow agrees; it takes the cell's text from GetEditText and hands every change
// of its text to SetEditText. Focus that moves between the grid and its editor is no exit.
class TCustomGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    using TGridNotifyEvent = std::function<void(TCustomGrid* sender)>;
    using TGridKeyEvent = std::function<void(TCustomGrid* sender, int& key, Qt::KeyboardModifiers shift)>;
    using TGridKeyPressEvent = std::function<void(TCustomGrid* sender, QChar& key)>;
    using TGridMouseEvent =
        std::function<void(TCustomGrid* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)>;
    using TGridMouseMoveEvent = std::function<void(TCustomGrid* sender, Qt::KeyboardModifiers shift, int x, int y)>;

    explicit TCustomGrid(QWidget* parent = nullptr);
    ~TCustomGrid() override;

    TGridKeyEvent OnKeyDown;
    TGridKeyPressEvent OnKeyPress;
    TGridKeyEvent OnKeyUp;
    TGridMouseEvent OnMouseDown;
    TGridMouseMoveEvent OnMouseMove;
    TGridMouseEvent OnMouseUp;
    TGridNotifyEvent OnClick;
    TGridNotifyEvent OnDblClick;
    // Focus arriving from, or leaving to, a control outside the grid and its editor.
    TGridNotifyEvent OnEnter;
    TGridNotifyEvent OnExit;

    // Cells. A count below the fixed ones plus one raises EInvalidGridOperation, as does a
    // fixed count not below the count.
    [[nodiscard]] int ColCount() const { return FColunas.Count(); }
    void SetColCount(int quantidade);
    [[nodiscard]] int RowCount() const { return FLinhas.Count(); }
    void SetRowCount(int quantidade);
    [[nodiscard]] int FixedCols() const { return FColunas.FixedCount; }
    void SetFixedCols(int quantidade);
    [[nodiscard]] int FixedRows() const { return FLinhas.FixedCount; }
    void SetFixedRows(int quantidade);
    // Setting a default size gives it to every column or row.
    [[nodiscard]] int DefaultColWidth() const { return FLarguraPadrao; }
    void SetDefaultColWidth(int largura);
    [[nodiscard]] int DefaultRowHeight() const { return FAlturaPadrao; }
    void SetDefaultRowHeight(int altura);
    [[nodiscard]] int ColWidths(int coluna) const;
    void SetColWidths(int coluna, int largura);
    [[nodiscard]] int RowHeights(int linha) const;
    void SetRowHeights(int linha, int altura);
    [[nodiscard]] bool TabStops(int coluna) const;
    void SetTabStops(int coluna, bool parada);
    [[nodiscard]] int GridLineWidth() const { return FLarguraLinha; }
    void SetGridLineWidth(int largura);

    // The current cell and what is shown.
    [[nodiscard]] int Col() const { return FColuna; }
    void SetCol(int coluna);
    [[nodiscard]] int Row() const { return FLinha; }
    void SetRow(int linha);
    [[nodiscard]] int TopRow() const { return FLinhas.First; }
    void SetTopRow(int linha);
    [[nodiscard]] int LeftCol() const { return FColunas.First; }
    void SetLeftCol(int coluna);
    // Scrolling rows and columns shown whole (one at least).
    [[nodiscard]] int VisibleRowCount() const;
    [[nodiscard]] int VisibleColCount() const;
    [[nodiscard]] TGridRect Selection() const;

    [[nodiscard]] TGridOptions Options() const { return FOpcoes; }
    void SetOptions(TGridOptions opcoes);
    [[nodiscard]] TScrollStyle ScrollBars() const { return FBarras; }
    void SetScrollBars(TScrollStyle barras);
    [[nodiscard]] const QColor& Color() const { return FCor; }
    void SetColor(const QColor& cor);
    [[nodiscard]] const QColor& FixedColor() const { return FCorFixa; }
    void SetFixedColor(const QColor& cor);
    // Fixed cells drawn raised.
    [[nodiscard]] bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool valor);

    // Geometry, in client (viewport) pixels. CellRect is empty for a cell not shown; a cell cut
    // by the edge keeps its whole size.
    [[nodiscard]] TRect CellRect(int coluna, int linha) const;
    [[nodiscard]] TGridCoord MouseCoord(int x, int y) const;
    // The mouse buttons held during the mouse event being handled.
    [[nodiscard]] Qt::MouseButtons CurrentButtons() const { return FBotoesAtuais; }
    [[nodiscard]] int ClientWidth() const;
    [[nodiscard]] int ClientHeight() const;
    // The height the rows may take: the client less BottomReserve.
    [[nodiscard]] int GridHeight() const;
    // Where the drawn columns end (their last line included), at most the client width.
    [[nodiscard]] int GridWidth() const;

    void InvalidateCell(int coluna, int linha);
    void InvalidateRow(int linha);
    void InvalidateCol(int coluna);
    void InvalidateGrid();
    void InvalidateRect(const TRect& r);

    // Moves a column with its width and tab stop, then ColumnMoved.
    void MoveColumn(int de, int para);

    // The canvas of the paint in progress; null outside a paint.
    [[nodiscard]] TCanvas* Canvas() const { return FCanvas; }
    // The grid or a control inside it (its editor) has the focus of its window.
    [[nodiscard]] bool IsActiveControl() const;
    // The grid itself, not its editor, has the focus of its window.
    [[nodiscard]] bool GridFocused() const;
    // True once the grid was first shown (CreateWnd ran).
    [[nodiscard]] bool HandleAllocated() const { return FJanelaCriada; }

    // In-place editing. Editor mode on shows the editor over the current cell when CanEditShow
    // agrees; off hides it, writing its text to the cell first.
    [[nodiscard]] bool EditorMode() const { return FEditorMode; }
    void SetEditorMode(bool valor);
    void ShowEditor();
    void HideEditor();
    // Hides the editor without writing its text to the cell: what was typed there is dropped.
    void DiscardEditor();
    // Reloads the editor from the cell (its text may have changed under it).
    void InvalidateEditor();
    // None before the editor is first needed.
    [[nodiscard]] TInplaceEdit* InplaceEditor() const { return FEditor; }
    [[nodiscard]] TGridState GridState() const { return FEstado; }

    // Moves the focus to the next (or previous) control of the window outside the grid.
    void SelectNextControl(bool forward);

protected:
    friend class TInplaceEdit;

    // ---- editing: the questions the editor asks ----
    virtual TInplaceEdit* CreateEditor();
    // May this character be typed into the cell? (the editor beeps when not)
    [[nodiscard]] virtual bool CanEditAcceptKey(QChar key);
    // May the key act on the grid at all?
    [[nodiscard]] virtual bool CanGridAcceptKey(int key, Qt::KeyboardModifiers shift);
    // May the current cell's text change? Asked before each change the user makes.
    [[nodiscard]] virtual bool CanEditModify();
    // goEditing without goRowSelect, editor mode on, and the grid focused or goAlwaysShowEditor.
    [[nodiscard]] virtual bool CanEditShow();
    [[nodiscard]] virtual QString GetEditText(int coluna, int linha);
    virtual void SetEditText(int coluna, int linha, const QString& valor);
    // Characters the editor takes, 0 for no limit.
    [[nodiscard]] virtual int GetEditLimit();
    // The editor's text changed: by default it goes to the cell at once (UpdateText), unless
    // the editor is being loaded from the cell.
    virtual void EditorTextChanged();
    // Shows, moves or reloads the editor as the current cell and editor mode require.
    void UpdateEdit();
    // Writes the editor's text to its cell and hides it (editor mode stays).
    void HideEdit();
    // The editor's text to the cell it was loaded from.
    void UpdateText();
    // A character typed on the grid: the editor opens and takes it.
    void ShowEditorChar(QChar c);
    // Destroys the editor; a derived grid calls it first in its destructor, so that the editor
    // never calls back into a grid half destroyed.
    void FreeEditor();

    // ---- keys and mouse ----
    virtual void KeyDown(int& key, Qt::KeyboardModifiers shift);
    virtual void KeyPress(QChar& key);
    virtual void KeyUp(int& key, Qt::KeyboardModifiers shift);
    // The modifier keys of the key or button being handled.
    [[nodiscard]] Qt::KeyboardModifiers CurrentShift() const { return FShiftAtual; }
    // doubleClick: the second press of a double click (VCL's ssDouble).
    virtual void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, bool doubleClick, int x, int y);
    virtual void MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    virtual void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    virtual void Click();
    virtual void DblClick();
    virtual void DoEnter();
    virtual void DoExit();
    // The column whose right border lies under the point within the fixed rows, with
    // goColSizing; -1 elsewhere.
    [[nodiscard]] int SizingColumn(int x, int y) const;
    // Holding the button: the current cell follows the mouse, and TimedScroll runs every 60 ms
    // while it is beyond the cells. Ends at the release.
    void BeginSelecting();
    // While selecting, the mouse is over a scrolling cell.
    virtual void SelectingMoveTo(int coluna, int linha);
    // While selecting, the mouse is held beyond the cells on these sides.
    virtual void TimedScroll(TGridScrollDirections direcao);
    // MoveColRow with show, then the editor follows and OnClick fires.
    void FocusCell(int coluna, int linha, bool moveAnchor);
    // The cell a press of the left button at the point makes current: by default the cell under
    // it. None (or a fixed one) moves nothing.
    [[nodiscard]] virtual TGridCoord CelulaDoClique(int x, int y);

    // Draws one cell inside ARect; the cell is filled with its colour and clipped beforehand.
    virtual void DrawCell(int coluna, int linha, const TRect& r, TGridDrawState estado);
    // Lines, cells and the focus rectangle; derived grids draw more after it.
    virtual void Paint();
    // May the current cell move there?
    [[nodiscard]] virtual bool SelectCell(int coluna, int linha);
    // After TopRow or LeftCol changed (the scroll bars are up to date).
    virtual void TopLeftChanged();
    virtual void ColWidthsChanged() {}
    virtual void RowHeightsChanged() {}
    virtual void ColumnMoved(int de, int para);
    virtual void SizeChanged(int colunasAntes, int linhasAntes);
    // The client size changed.
    virtual void Resized() {}
    // One notch of the mouse wheel; true when handled. By default the rows scroll.
    virtual bool DoMouseWheelDown();
    virtual bool DoMouseWheelUp();
    // The first showing.
    virtual void CreateWnd() {}
    // Pixels kept at the client's bottom, below the rows (a footer).
    [[nodiscard]] virtual int BottomReserve() const { return 0; }
    // The vertical bar: by default its position is TopRow when ScrollBars shows it.
    virtual void UpdateVertScrollBar();
    virtual void VertScroll(TScrollCode codigo, int posicao);

    // Makes a cell current; with show, scrolls it into view.
    void MoveColRow(int coluna, int linha, bool moveAnchor, bool show);
    // Moves the pixels of r by dx, dy and repaints what they uncover.
    void ScrollClient(int dx, int dy, const TRect& r);
    [[nodiscard]] TScrollInfo VertScrollInfo() const;
    void SetVertScrollInfo(const TScrollInfo& info);
    void UpdateScrollRange();

    void paintEvent(QPaintEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* e) override;
    bool event(QEvent* e) override;

    // Where a control over that cell goes, in the grid's coordinates: its visible part; empty
    // when none of it shows.
    [[nodiscard]] TRect AreaDoEditor(const TRect& celula) const;

private:
    void FocoChegou(Qt::FocusReason motivo);
    void FocoSaiu(Qt::FocusReason motivo);
    // The focus left the grid and its editor: the grid's exit.
    void Sai();
    // The window lost its activation with the focus in the grid: the exit waits to see where the
    // focus is when the window has it again.
    void AguardaAtivacao();
    void PassoDaSelecao();
    void FimDoEstado();
    void AcaoVertical(int acao);
    void MudouHorizontal(int valor);
    void AjustaVisivel();
    // LeftCol comes back as far as the columns after it leave room.
    void TrazColunasQueCabem();
    void InvalidaSelecao();
    void MudaQuantidade(TGridAxis& eixo, int quantidade, int padrao);
    void MudaFixas(TGridAxis& eixo, int quantidade, int& atual, const QString& recusa);
    void PreencheExtensoes(TGridAxis& eixo, int extensao);
    [[nodiscard]] static int Extensao(const TGridAxis& eixo, int indice, int padrao);
    bool MudaExtensao(TGridAxis& eixo, int indice, int extensao);
    void AtualizaLarguraLinhas();
    void DesenhaLinhas(const TRect& r, bool fixa);

    TGridAxis FColunas;
    TGridAxis FLinhas;
    std::vector<bool> FParadas;
    int FLarguraPadrao = 64;
    int FAlturaPadrao = 24;
    int FLarguraLinha = 1;
    int FColuna = 0;
    int FLinha = 0;
    TGridOptions FOpcoes = 0;
    TScrollStyle FBarras = TScrollStyle::ssBoth;
    QColor FCor;
    QColor FCorFixa;
    bool FCtl3D = true;
    TCanvas* FCanvas = nullptr;
    QRegion FRegiaoPintura;   // of the paint in progress
    bool FJanelaCriada = false;
    bool FAtualizandoBarras = false;
    int FRodaAcumulada = 0;

    TInplaceEdit* FEditor = nullptr;   // a child of the grid, which Qt deletes with it
    bool FEditorMode = false;
    int FColunaEditor = -1;   // the cell the editor was loaded from, -1 when none
    int FLinhaEditor = -1;
    bool FDentro = false;                // the focus is in the grid or its editor (entered, not yet left)
    QMetaObject::Connection FAtivacao;   // waits for the window's activation, while inactive
    bool FFocoDoEditor = false;          // the hiding editor hands the focus back
    bool FCarregandoEditor = false;      // the editor takes the current cell's text
    Qt::KeyboardModifiers FShiftAtual;
    Qt::MouseButtons FBotoesAtuais;
    TGridState FEstado = TGridState::gsNormal;
    QTimer* FTimerSelecao = nullptr;   // a child of the grid
    QPoint FMouse;                     // where the held mouse last was
    int FColunaDimensionada = -1;
    int FInicioDimensao = 0;
    int FLarguraInicial = 0;
};
