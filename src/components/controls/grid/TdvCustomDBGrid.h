#pragma once
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "components/controls/edits/IdvEditGrid.h"
#include "components/controls/grid/TdvDBGridTypes.h"
#include "components/data/settings/IdvPublished.h"
#include "platform/db/cursors/TBookmark.h"
#include "platform/widgets/painting/TCanvas.h"
#include "platform/widgets/grid/TCustomGrid.h"
#include "platform/widgets/controls/TImageList.h"

class TDataSet;
class TDataSource;
class TField;
class TdvCellHint;
class TdvColumn;
class TdvColumnDrag;
class TdvGridDataLink;
class TdvGridHintWindow;
class TdvInplaceEdit;

// The library's data-aware grid: the records of one dataset (through a data source) as rows,
// chosen fields as columns, with an optional title row and indicator column.
//
// Columns are the dataset's visible fields in field order (UseTFields), or the Selected lines:
// field TAB width TAB title [TAB T|F], a "~" in the title starting a new title line and "T"
// making the column read-only. Grid row TitleOffset + i shows record i of the data link's
// window, which holds exactly the rows shown; the current record is the current row. The grid
// follows the dataset's notifications and keeps its own vertical scroll bar.
//
// Cells are drawn here: titles (lines, images, button look), the indicator, data cells in
// their colours, and the ControlType kinds CheckBox, Bitmap and ImageIndex; a footer band with
// dgShowFooter. The derived grids fill the empty hooks (multi-selection, memo and rich-text
// cells, cell controls).
//
// Editing: the current cell is edited in place (TdvInplaceEdit, with the field's picture mask)
// when dgEditing allows; the first change puts the record in edit state and the text is written
// to the field when the editor closes on another column, on Enter, or when the record is left
// (which posts it). Esc restores the typed text, then cancels the record (asking first when it
// was changed). Keys move through records and columns (the grid's own KeyDown); Insert and
// Ctrl+Delete add and delete records as KeyOptions allow. The mouse moves the current cell and
// record, resizes and drags columns by their titles, presses title buttons and drives the
// multi-selection hooks; with dgShowCellHint a cell whose text does not fit shows it whole.
class TdvCustomDBGrid : public TCustomGrid, public IdvEditGrid, public IdvPublished {
    Q_OBJECT
    Q_PROPERTY(bool PictureMaskFromDataSet READ PictureMaskFromDataSet WRITE SetPictureMaskFromDataSet)
public:
    using TNotifyEvent = std::function<void(TdvCustomDBGrid* sender)>;
    using TCalcCellColorsEvent = std::function<void(TdvCustomDBGrid* sender, TField* field, TGridDrawState state,
                                                    bool highlight, TFont& font, TBrush& brush)>;
    using TCalcTitleAttributesEvent = std::function<void(TdvCustomDBGrid* sender, const QString& fieldName, TFont& font,
                                                         TBrush& brush, TAlignment& alignment)>;
    using TCalcTitleImageEvent =
        std::function<void(TdvCustomDBGrid* sender, TField* field, TdvTitleImageAttributes& attributes)>;
    using TDrawDataCellEvent =
        std::function<void(TdvCustomDBGrid* sender, const TRect& rect, TField* field, TGridDrawState state)>;
    using TDrawTitleCellEvent = std::function<void(TdvCustomDBGrid* sender, TCanvas& canvas, TField* field,
                                                   const TRect& rect, bool& defaultDrawing)>;
    using TDrawFooterCellEvent = std::function<void(TdvCustomDBGrid* sender, TCanvas& canvas, const TRect& rect,
                                                    TField* field, const QString& footerText, bool& defaultDrawing)>;
    using TFieldNameEvent = std::function<void(TdvCustomDBGrid* sender, const QString& fieldName)>;
    using TLeftColChangedEvent = std::function<void(TdvCustomDBGrid* sender, int newLeftCol)>;
    using TColumnMovedEvent = std::function<void(TdvCustomDBGrid* sender, int fromIndex, int toIndex)>;
    using TColWidthChangedEvent = std::function<void(TdvCustomDBGrid* sender, int column)>;
    using TCheckValueEvent = std::function<void(QObject* sender, bool passesPictureTest)>;
    using TFieldChangedEvent = std::function<void(TdvCustomDBGrid* sender, TField* field)>;
    // (Sender, HintWindow, Field, cell rectangle, bool& WordWrap, int& MaxWidth, int& MaxHeight,
    // bool& DoDefault): DoDefault false leaves placing and showing the window to the handler.
    using TCreateHintWindowEvent =
        std::function<void(TdvCustomDBGrid* sender, TdvGridHintWindow* hintWindow, TField* field, const TRect& r,
                           bool& wordWrap, int& maxWidth, int& maxHeight, bool& doDefault)>;

    explicit TdvCustomDBGrid(QWidget* parent = nullptr);
    ~TdvCustomDBGrid() override;

    // ---- properties ----
    [[nodiscard]] TDataSource* DataSource() const;
    // Links the grid to another data source and runs LinkActive with the link's state.
    void SetDataSource(TDataSource* fonte);
    [[nodiscard]] TDataSet* DataSet() const;

    // The column definitions; after changing the lines in place, call LayoutChanged.
    [[nodiscard]] QStringList& Selected() { return FSelected; }
    void SetSelected(const QStringList& linhas);
    [[nodiscard]] bool UseTFields() const { return FUseTFields; }
    void SetUseTFields(bool valor);
    [[nodiscard]] QStringList& ControlType() { return FControlType; }
    void SetControlType(const QStringList& linhas);
    [[nodiscard]] bool ControlInfoInDataset() const { return FControlInfoInDataset; }
    void SetControlInfoInDataset(bool valor);
    [[nodiscard]] QStringList& PictureMasks() { return FPictureMasks; }
    void SetPictureMasks(const QStringList& linhas) { FPictureMasks = linhas; }
    [[nodiscard]] bool PictureMaskFromDataSet() const { return FPictureMaskFromDataSet; }
    void SetPictureMaskFromDataSet(bool valor) { FPictureMaskFromDataSet = valor; }
    // Replaces the grid's own options (goEditing and the rest) from these.
    [[nodiscard]] TdvDBGridOptions Options() const { return FOptions; }
    void SetOptions(TdvDBGridOptions opcoes);
    [[nodiscard]] TdvDBGridKeyOptions KeyOptions() const { return FKeyOptions; }
    void SetKeyOptions(TdvDBGridKeyOptions opcoes) { FKeyOptions = opcoes; }
    [[nodiscard]] TdvMultiSelectOptions MultiSelectOptions() const { return FMultiSelectOptions; }
    void SetMultiSelectOptions(TdvMultiSelectOptions opcoes) { FMultiSelectOptions = opcoes; }
    [[nodiscard]] bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool valor) { FReadOnly = valor; }
    [[nodiscard]] bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool valor);
    [[nodiscard]] bool EditCalculated() const { return FEditCalculated; }
    void SetEditCalculated(bool valor) { FEditCalculated = valor; }
    [[nodiscard]] const TFont& TitleFont() const { return FTitleFont; }
    // The grid then no longer takes its fonts from its parent.
    void SetTitleFont(const TFont& fonte);
    [[nodiscard]] bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool valor) { FParentFont = valor; }
    [[nodiscard]] const QColor& TitleColor() const { return FTitleColor; }
    void SetTitleColor(const QColor& cor);
    [[nodiscard]] TAlignment TitleAlignment() const { return FTitleAlignment; }
    void SetTitleAlignment(TAlignment alinhamento);
    [[nodiscard]] int TitleLines() const { return FTitleLines; }
    void SetTitleLines(int linhas);   // below 1 is ignored
    [[nodiscard]] bool TitleButtons() const { return FTitleButtons; }
    void SetTitleButtons(bool valor);
    [[nodiscard]] TImageList* TitleImageList() const { return FTitleImageList; }
    void SetTitleImageList(TImageList* lista);   // not owned; cleared when it is destroyed
    [[nodiscard]] TImageList* ImageList() const { return FImageList; }
    void SetImageList(TImageList* lista);
    [[nodiscard]] int RowHeightPercent() const { return FRowHeightPercent; }
    void SetRowHeightPercent(int percentual);   // below 1: 100, without a new layout
    [[nodiscard]] TdvIndicatorColor IndicatorColor() const { return FIndicatorColor; }
    void SetIndicatorColor(TdvIndicatorColor cor);
    [[nodiscard]] bool ShowHorzScrollBar() const;
    void SetShowHorzScrollBar(bool valor);
    [[nodiscard]] bool ShowVertScrollBar() const { return FShowVertScrollBar; }
    void SetShowVertScrollBar(bool valor);
    [[nodiscard]] const QColor& FooterColor() const { return FFooterColor; }
    void SetFooterColor(const QColor& cor);
    [[nodiscard]] const QColor& FooterCellColor() const { return FFooterCellColor; }
    void SetFooterCellColor(const QColor& cor);
    [[nodiscard]] int FooterHeight() const { return FFooterHeight; }
    void SetFooterHeight(int altura);
    [[nodiscard]] int DragVertOffset() const { return FDragVertOffset; }
    void SetDragVertOffset(int deslocamento) { FDragVertOffset = deslocamento; }
    // A button in the top-left cell (not owned; made a child of the grid). The indicator column
    // takes its width less 1.
    [[nodiscard]] QWidget* IndicatorButton() const { return FIndicatorButton; }
    void SetIndicatorButton(QWidget* botao);

    // ---- events ----
    TCalcCellColorsEvent OnCalcCellColors;
    TCalcTitleAttributesEvent OnCalcTitleAttributes;
    TCalcTitleImageEvent OnCalcTitleImage;
    TDrawDataCellEvent OnDrawDataCell;
    TDrawTitleCellEvent OnDrawTitleCell;
    TDrawFooterCellEvent OnDrawFooterCell;
    TFieldNameEvent OnTitleButtonClick;
    TNotifyEvent OnColEnter;
    TNotifyEvent OnColExit;
    TNotifyEvent OnRowChanged;
    TNotifyEvent OnCellChanged;
    TNotifyEvent OnTopRowChanged;
    TLeftColChangedEvent OnLeftColChanged;
    TColumnMovedEvent OnColumnMoved;
    TColWidthChangedEvent OnColWidthChanged;
    TCheckValueEvent OnCheckValue;
    TFieldChangedEvent OnFieldChanged;
    TNotifyEvent OnUpdateFooter;
    TCreateHintWindowEvent OnCreateHintWindow;

    // ---- columns and fields ----
    [[nodiscard]] TdvGridDataLink& DataLink() const { return *FDataLink; }
    [[nodiscard]] int FieldCount() const;
    // None for an index out of range or while the link is inactive.
    [[nodiscard]] TField* Fields(int indice) const;
    [[nodiscard]] int TitleOffset() const { return FTitleOffset; }
    [[nodiscard]] int IndicatorOffset() const { return FIndicatorOffset; }
    [[nodiscard]] int IndicatorWidth() const { return FIndicatorWidth; }
    // The data column of the current cell; setting it fires ColExit and ColEnter.
    [[nodiscard]] int SelectedIndex() const { return Col() - FIndicatorOffset; }
    void SetSelectedIndex(int indice);
    [[nodiscard]] TField* SelectedField() const { return Fields(SelectedIndex()); }
    // The default column when no column has that name (or the index is out of range).
    [[nodiscard]] TdvColumn* ColumnByFieldName(const QString& fieldName) const;
    [[nodiscard]] TdvColumn* ColumnByIndex(int indice) const;
    // Part 0 to 3 of the field's Selected line; empty without a line, "F" for a missing flag.
    [[nodiscard]] QString GetSelectedPart(const QString& fieldName, int part) const;
    // The ControlType lines in effect: the dataset's when ControlInfoInDataset and it has
    // lines, else the grid's.
    [[nodiscard]] const QStringList& ControlTypeInUse() const;
    // For a data cell whose field has a line FIELD;CheckBox;checked;unchecked (compared exactly).
    bool GetCheckBoxValues(int coluna, int linha, QString& checked, QString& unchecked) const;
    // Some field is drawn as a check box (a ControlType line of that kind is in effect).
    [[nodiscard]] bool MostraCaixasDeMarcacao() const;
    // The link is active and the cell shows a mapped field of a held record.
    [[nodiscard]] bool IsDataCell(int coluna, int linha) const;
    // A data cell of a memo field, or of a blob field marked RichEdit.
    [[nodiscard]] bool IsBlobCell(int coluna, int linha) const;
    // The check-box column of a calculated field named "selected".
    [[nodiscard]] bool IsSelectedCheckBoxColumn(int coluna) const;
    // The text of the cell editor as last read or typed.
    [[nodiscard]] const QString& EditText() const { return FEditText; }

    // ---- editing ----
    // The editor, once the grid made it.
    [[nodiscard]] TdvInplaceEdit* InplaceEdit() const;
    // The current column has a field that is no blob and no cell of a control of its own.
    [[nodiscard]] bool CanEditCurrentCell();
    // The grid has the focus or takes it now (it takes the focus on clicks).
    bool AcquireFocus();
    // The cell hint shown now, if any.
    [[nodiscard]] TdvGridHintWindow* CellHintWindow() const;

    // ---- the keys a cell's own edit hands on ----
    [[nodiscard]] bool TabsToGrid() const override;
    [[nodiscard]] bool AlwaysShowEditor() const override;
    void GridKeyDown(int key, Qt::KeyboardModifiers shift) override;
    void ReportKeyDown(int key, Qt::KeyboardModifiers shift) override;

    // ---- published lists ----
    QStringList* PublishedPictureMasks() override { return &FPictureMasks; }
    QStringList* PublishedControlType() override { return &FControlType; }

    // ---- painting ----
    // Where cells are being painted: a bitmap while the grid renders into one, else the
    // canvas of the paint in progress. OnDrawDataCell handlers paint here.
    [[nodiscard]] TCanvas* GetPaintCanvas() const;
    void InvalidateFooter();
    // Suspends repainting while the window shows; the last EndUpdate resumes it.
    void BeginUpdate();
    void EndUpdate(bool repaint);

    // ---- moving ----
    // The next record; at the end, with mayAppend, dgEditing and dgAllowInsert, a new one.
    void NextRow(bool mayAppend);
    void PriorRow();

    // ---- layout ----
    virtual void LayoutChanged();
    // Built in code, a grid has no loading phase: its owner calls this once the properties
    // are set (the first showing lays the grid out in any case).
    virtual void Loaded();

protected:
    friend class TdvCellHint;
    friend class TdvColumnDrag;
    friend class TdvGridDataLink;

    // Hooks, in the order the derived grids know them.
    virtual void Scroll(int distancia);
    [[nodiscard]] virtual bool HighlightCell(int dataCol, int dataRow, const QString& value, TGridDrawState state);
    virtual void DefineFieldMap();
    virtual void SetColumnAttributes();
    virtual void LinkActive(bool ativo);
    // The cell is edited by a control of the derived grid (a check box, a control placed over
    // it), not by the in-place editor.
    [[nodiscard]] virtual bool IsCustomEditCell(int coluna, int linha);
    virtual void DoCalcCellColors(TField* field, TGridDrawState state, bool highlight, TFont& font, TBrush& brush);
    virtual void DoTitleButtonClick(const QString& fieldName);
    virtual void DoCalcTitleAttributes(const QString& fieldName, TFont& font, TBrush& brush, TAlignment& alignment);
    virtual void DoDrawTitleCell(TCanvas& canvas, TField* field, const TRect& r, bool& defaultDrawing);
    virtual void DoCalcTitleImage(TField* field, TdvTitleImageAttributes& attributes);
    virtual void DrawCheckBox(const TRect& r, int coluna, bool checked, int linha);
    virtual void DerivedHook() {}
    // Before the rows are laid, scrolled or resized, and before a move to another record: the
    // derived grid rebuilds what it keeps per shown row (its row selection flags).
    virtual void BeforeRowsChange() {}
    virtual void UnselectAll() {}
    virtual void DataChanged();
    virtual void DoTopRowChanged();
    virtual void DoRowChanged();
    virtual void DoCellChanged();
    virtual void CheckRowChanged();
    virtual void GetControlInfo(const QString& fieldName, QString& kind, QString& parameters);
    virtual void DoFieldChanged(TField* field);
    virtual void DoUpdateFooter();
    [[nodiscard]] virtual TRect GetFooterRect() const;
    virtual void UpdateFooter();
    virtual void HideCellHint();
    // A new hint window for a cell of that field (the caller owns it).
    [[nodiscard]] virtual TdvGridHintWindow* CreateHintWindow(TField* field);
    virtual void DoCreateHintWindow(TdvGridHintWindow* hintWindow, TField* field, bool& wordWrap, int& maxWidth,
                                    int& maxHeight, bool& doDefault, const TRect& r);
    // A picture mask refused the current field's text.
    virtual void ShowValidationError();
    // Asks the data link to write pending editor text.
    virtual void DataLinkUpdateData();
    virtual void SelectRecord() {}
    virtual void UnselectRecord() {}

    virtual void InitRowHeights();
    [[nodiscard]] virtual bool CanCancelOnExit() { return true; }
    virtual void ColEnter();
    virtual void ColExit();
    virtual void GetFieldText(int dataCol, QString& text);
    virtual void DrawDataCell(const TRect& r, TField* field, TGridDrawState state);
    [[nodiscard]] virtual bool IsRowSelected(int /*dataRow*/) { return false; }
    [[nodiscard]] virtual bool IsCurrentRowSelected() { return false; }
    // The derived grid's control that edits the current cell now, if any.
    [[nodiscard]] virtual QWidget* CurrentCellControl() const { return nullptr; }
    // The colour of a non-fixed cell of that grid column (white cells draw their lines apart).
    [[nodiscard]] virtual QColor GetFixedColor(int /*coluna*/) const { return Color(); }
    // dgWordWrap changed: the cell editor takes the option (a single-line editor keeps it only).
    virtual void UpdateEditorWordWrap();
    // Suppresses DataChanged while true (the derived grid's own updates).
    [[nodiscard]] virtual bool DataChangedSuppressed() const { return false; }

    // The dataset's notifications, through the data link.
    virtual void RecordChanged(TField* field);
    virtual void EditingChanged();
    // Writes EditText into the current field (the data link is modified).
    virtual void UpdateData();

    // ---- editing: the platform grid's questions ----
    TInplaceEdit* CreateEditor() override;
    [[nodiscard]] bool CanEditAcceptKey(QChar key) override;
    [[nodiscard]] bool CanEditModify() override;
    [[nodiscard]] bool CanEditShow() override;
    [[nodiscard]] QString GetEditText(int coluna, int linha) override;
    void SetEditText(int coluna, int linha, const QString& valor) override;
    [[nodiscard]] int GetEditLimit() override;
    // Esc: the typed text goes back to the field's, or the record's changes are dropped.
    void CancelEditing();
    // "Delete record?" with dgConfirmDelete.
    [[nodiscard]] virtual bool ConfirmDelete();
    // Tab (or Enter as Tab): the next column that is a tab stop, across records.
    void TabNavigation(bool backward);
    void DoExit() override;

    // ---- keys and mouse ----
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void KeyPress(QChar& key) override;
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, bool doubleClick, int x, int y) override;
    void MouseMove(Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void SelectingMoveTo(int coluna, int linha) override;
    void TimedScroll(TGridScrollDirections direcao) override;
    // A click set the multi-selection anchor (read by the derived grid).
    [[nodiscard]] bool ClickSelecting() const { return FSelecaoPorClique; }
    void SetClickSelecting(bool valor) { FSelecaoPorClique = valor; }
    // The column whose border the last press was on, -1 when none.
    [[nodiscard]] int SizingCol() const { return FColunaDimensionada; }
    // The hint of the cells that do not show their whole text.
    [[nodiscard]] TdvCellHint& CellHint() const { return *FDica; }
    void focusOutEvent(QFocusEvent* e) override;

    // Rows and the scroll bar.
    void UpdateRowCount();
    void UpdateActive();
    void UpdateScrollBar();

    // Drawing, for the derived grids.
    virtual void WriteCellText(const QString& text, TAlignment alignment);
    void WriteTextRect(TCanvas& canvas, const TRect& r, int dx, unsigned flags, TAlignment alignment,
                       const QString& text, int dy);
    void DrawCellBackground(TField* field, bool drawFocus);
    void DrawCellLines(const TRect& r, int coluna, TGridDrawState state, int linha);
    [[nodiscard]] int DrawDataRow() const { return FDesenho.DataRow; }
    [[nodiscard]] int DrawDataCol() const { return FDesenho.DataCol; }
    [[nodiscard]] const TRect& DrawCellRect() const { return FDesenho.Rect; }
    // Set by the derived grid's text hook: the cell's text goes left whatever the field says.
    void SetForceLeftText(bool valor) { FDesenho.ForcaEsquerda = valor; }
    // While set, GetPaintCanvas answers this canvas (a bitmap the grid renders a cell into).
    void SetPaintCanvasOverride(TCanvas* canvas) { FCanvasSubstituto = canvas; }

    // State the mouse, keys and the derived grid share.
    [[nodiscard]] int PressedTitleCol() const { return FTituloPressionadoCol; }
    [[nodiscard]] int PressedTitleRow() const { return FTituloPressionadoLin; }
    void SetPressedTitle(int coluna, int linha);
    [[nodiscard]] std::optional<TBookmark>& SelectionAnchor() { return FAncora; }
    [[nodiscard]] bool FieldChangeReported() const { return FCampoInformado; }
    void SetFieldChangeReported(bool valor) { FCampoInformado = valor; }
    // A click is moving the current cell: DoCellChanged waits.
    void SetClickMoving(bool valor) { FMovendoPorClique = valor; }
    [[nodiscard]] bool InLayout() const { return FNoLayout; }
    // The editor is not shown again while Tab or a click moves to another record.
    [[nodiscard]] bool EditorSuppressed() const { return FEditorSuprimido; }
    void SetEditorSuppressed(bool valor) { FEditorSuprimido = valor; }
    [[nodiscard]] int LastEnteredCol() const { return FUltimaColunaEntrada; }

    // Platform grid.
    void DrawCell(int coluna, int linha, const TRect& r, TGridDrawState estado) override;
    void Paint() override;
    void TopLeftChanged() override;
    void ColWidthsChanged() override;
    void ColumnMoved(int de, int para) override;
    void Resized() override;
    void CreateWnd() override;
    [[nodiscard]] int BottomReserve() const override;
    void UpdateVertScrollBar() override;
    void VertScroll(TScrollCode codigo, int posicao) override;
    bool DoMouseWheelDown() override;
    bool DoMouseWheelUp() override;
    void changeEvent(QEvent* e) override;

private:
    // What one cell paint knows.
    struct TDesenho {
        int DataRow = -1;
        int DataCol = -1;
        TRect Rect;
        TGridDrawState State = 0;
        bool LinhasDesenhadas = false;
        bool MolduraFoco = false;
        bool ForcaEsquerda = false;
        bool PincelBranco = false;
        bool Destacada = false;
    };

    void AplicaOpcoesDaGrade();
    void ReconstroiColunas();
    void DesenhaTitulo(int coluna, const TRect& r);
    void DesenhaIndicador(const TRect& r);
    void DesenhaCelulaDeDados(const TRect& r, TGridDrawState estado);
    bool DesenhaTipoDeControle(int coluna, int linha, const TRect& r, TGridDrawState estado);
    void DesenhaCheckBox(int coluna, int linha, const TRect& r, TGridDrawState estado);
    void DesenhaBitmap(int coluna, const TRect& r, TGridDrawState estado, const QString& parametros);
    void DesenhaImageIndex(int coluna, const TRect& r, TGridDrawState estado, const QString& parametros);
    void DesenhaRodape();
    void EscreveTextoDaCelula(const TRect& r, const QString& text, TAlignment alignment);
    [[nodiscard]] QByteArray FiguraDoCampo(TField* campo, bool inserindoEstaLinha) const;
    [[nodiscard]] int ColunaDoCampo(const TField* campo) const;
    [[nodiscard]] bool CampoVisivelComoColuna(const TField* campo) const;
    [[nodiscard]] bool DonoEhLookupCombo() const;
    void AtualizaPoliticaVertical();
    void PressionaTitulo(Qt::MouseButton button, int coluna, int linha);
    void CliqueNosDados(Qt::MouseButton button, Qt::KeyboardModifiers shift, const TGridCoord& celula);
    void MoveParaLinha(int linha);

    std::unique_ptr<TdvGridDataLink> FDataLink;
    std::unique_ptr<TdvColumnDrag> FArrasto;
    std::unique_ptr<TdvCellHint> FDica;
    std::vector<std::unique_ptr<TdvColumn>> FColunas;
    std::unique_ptr<TdvColumn> FColunaPadrao;

    QStringList FSelected;
    QStringList FControlType;
    QStringList FPictureMasks;
    bool FUseTFields = true;
    bool FControlInfoInDataset = true;
    bool FPictureMaskFromDataSet = true;
    TdvDBGridOptions FOptions = 0;
    TdvDBGridKeyOptions FKeyOptions = dgAllowDelete | dgAllowInsert;
    TdvMultiSelectOptions FMultiSelectOptions = 0;
    bool FReadOnly = false;
    bool FDefaultDrawing = true;
    bool FEditCalculated = false;
    TFont FTitleFont;
    bool FParentFont = true;
    bool FMudandoFonteDoPai = false;
    QColor FTitleColor;
    TAlignment FTitleAlignment = taLeftJustify;
    int FTitleLines = 1;
    bool FTitleButtons = false;
    QPointer<TImageList> FTitleImageList;
    QPointer<TImageList> FImageList;
    int FRowHeightPercent = 100;
    TdvIndicatorColor FIndicatorColor = TdvIndicatorColor::icBlack;
    bool FShowVertScrollBar = true;
    // The vertical bar shown: by record number, with five positions, or full (every record shows).
    enum class TBarra : std::uint8_t { Numerada, CincoPosicoes, Cheia } FBarra = TBarra::Cheia;
    QColor FFooterColor;
    QColor FFooterCellColor;
    int FFooterHeight = 0;
    int FDragVertOffset = 15;
    QPointer<QWidget> FIndicatorButton;

    int FTitleOffset = 0;
    int FIndicatorOffset = 0;
    int FIndicatorWidth = 11;
    int FLayoutLock = 0;
    bool FNoLayout = false;
    bool FContandoLinhas = false;
    QString FEditText;
    int FUltimaColunaEntrada = -1;
    bool FColEnterPendente = false;
    bool FSemCellChangedNoColEnter = false;
    bool FMudandoColuna = false;
    bool FEditorSuprimido = false;
    bool FMovendoPorClique = false;
    bool FCampoInformado = false;
    int FTituloPressionadoCol = -1;
    int FTituloPressionadoLin = -1;
    std::optional<TBookmark> FUltimaMarca;
    std::optional<TBookmark> FMarcaMestre;
    std::optional<TBookmark> FAncora;
    bool FMudancaPendente = false;
    int FSuspensoes = 0;
    bool FSuspendeu = false;
    TCanvas* FCanvasSubstituto = nullptr;
    TDesenho FDesenho;
    bool FTituloArrastado = false;
    bool FSelecaoPorClique = false;
    int FColunaDimensionada = -1;
};
