#pragma once
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "components/controls/edits/TdvMemoDialog.h"
#include "components/controls/grid/IdvLinkedComponent.h"
#include "components/controls/grid/TdvCustomDBGrid.h"
#include "components/controls/grid/TdvIniAttributes.h"

class TdvDBRichEdit;

enum TdvEditControlOption : unsigned {
    ecoCheckboxSingleClick = 1u << 0,     // one click toggles a check box (else a double click)
    ecoSearchOwnerForm = 1u << 1,         // cell controls are found in the nearest form or frame
    ecoDisableCustomControls = 1u << 2,   // no controls placed over cells
    ecoDisableDateTimePicker = 1u << 3,   // date-time fields are edited in place
};
using TdvEditControlOptions = unsigned;

// The data-aware grid that the forms place. Over the grid base it checks that the dataset is
// one of the library's, applies the Selected column list (into the dataset's fields with
// UseTFields), fixes data columns at the left, keeps a list of selected records (bookmarks) that
// OnMultiSelectRecord may refuse, opens memo cells in the memo dialog, stores its column layout
// (IniAttributes), toggles check-box cells ("FIELD;CheckBox;on;off", and the "Selected" column
// that selects the record) and places a control named in a "FIELD;CustomEdit;name" line over the
// current cell of that field. A control is placed when the current cell changes, never while the
// grid paints. A blob field marked "FIELD;RichEdit[;name]" shows its rich text as plain text
// (read through a hidden rich edit of the grid's own), and F2 or a double click on it opens the
// named rich edit's editor.
class TdvDBGrid : public TdvCustomDBGrid {
    Q_OBJECT
public:
    // (Grid, Selecting, bool& Accept)
    using TMultiSelectEvent = std::function<void(TdvDBGrid* grid, bool selecting, bool& accept)>;
    using TMemoOpenEvent = std::function<void(TdvDBGrid* grid, TdvMemoDialog& dialog)>;
    using TMemoCloseEvent = std::function<void(TdvDBGrid* grid, bool cancel)>;
    using TCreateDateTimePickerEvent = std::function<void(TdvDBGrid* grid, QWidget* picker)>;

    explicit TdvDBGrid(QWidget* parent = nullptr);
    ~TdvDBGrid() override;

    // ---- properties ----
    [[nodiscard]] TdvMemoAttributes MemoAttributes() const { return FMemoAttributes; }
    void SetMemoAttributes(TdvMemoAttributes atributos);
    [[nodiscard]] TdvIniAttributes& IniAttributes() { return FIniAttributes; }
    [[nodiscard]] int DataFixedCols() const { return FFixedCols; }
    // Data columns at the left that do not scroll (the indicator not counted). A negative value,
    // or one that leaves no column to scroll on an open dataset, is refused with "Invalid value
    // for FixedCols".
    void SetDataFixedCols(int colunas);
    [[nodiscard]] TdvEditControlOptions EditControlOptions() const { return FEditControlOptions; }
    void SetEditControlOptions(TdvEditControlOptions opcoes) { FEditControlOptions = opcoes; }

    // ---- events ----
    TMultiSelectEvent OnMultiSelectRecord;
    TMemoOpenEvent OnMemoOpen;
    TMemoCloseEvent OnMemoClose;
    TCreateDateTimePickerEvent OnCreateDateTimePicker;

    // ---- the selected records ----
    [[nodiscard]] const std::vector<TBookmark>& SelectedRows() const { return FSelecionados; }
    // The current record is one of them (never while it is edited or inserted).
    [[nodiscard]] bool IsSelected();
    void SelectCurrentRecord() { SelectRecord(); }
    void UnselectCurrentRecord() { UnselectRecord(); }
    void UnselectAll() override;
    // Every record between the two (inclusive), each offered to OnMultiSelectRecord.
    void SelectRecordRange(const TBookmark& de, const TBookmark& ate);
    void UnselectRecordRange(const TBookmark& de, const TBookmark& ate);

    // ---- linked components ----
    // Components told (Notification with opRemove) when the grid goes away; one destroyed first
    // is simply forgotten.
    void AddLinkedComponent(QObject* componente);
    void RemoveLinkedComponent(QObject* componente);

    // ---- cells ----
    // The field of the current column.
    [[nodiscard]] TField* GetSelectedField() const { return SelectedField(); }
    // The control named by a ControlType parameter ("name", or "frame.name" / "module.name").
    [[nodiscard]] QWidget* FindCellControl(const QString& nome) const;
    // The control that edits that cell, if any.
    [[nodiscard]] QWidget* GetCellControl(int coluna, int linha) const;
    // The rich edit named by the "RichEdit" line of the cell's field, if any.
    [[nodiscard]] QWidget* GetRichEditControl(int coluna, int linha) const;
    // The controls named in the ControlType lines become the grid's, hidden and bound to its
    // data source (once, when the column list is first applied).
    void PrepareCellControls();
    [[nodiscard]] QWidget* CurrentCellControl() const override { return FCurrentCellControl; }
    // Toggles the check box of the cell: "Selected" selects the record, other fields take their
    // on or off value.
    void ToggleCheckBox(int coluna, int linha);
    // The grid column of the records' selection box ("Selected"), -1 without one.
    [[nodiscard]] int ColunaDeSelecao() const;
    // Places the current cell's control over it, or hides the one that shows.
    virtual void UpdateCellControl();
    virtual void HideCellControl();
    // Opens the memo of the current cell in the memo dialog.
    void MemoPopup();

    // ---- layout store ----
    void SaveToIniFile();
    void LoadFromIniFile();

    void Loaded() override;

protected:
    // The grid's own editor of date-time cells; none here (they are edited in place) until a
    // picker is given.
    [[nodiscard]] virtual QWidget* CreateDateTimePicker();
    virtual void DoCreateDateTimePicker(QWidget* picker);

    void SelectRecord() override;
    void UnselectRecord() override;
    [[nodiscard]] bool IsRowSelected(int dataRow) override;
    [[nodiscard]] bool IsCurrentRowSelected() override { return IsSelected(); }
    [[nodiscard]] bool IsCustomEditCell(int coluna, int linha) override;
    [[nodiscard]] QColor GetFixedColor(int coluna) const override;
    void BeforeRowsChange() override;
    void GetFieldText(int dataCol, QString& text) override;
    void WriteCellText(const QString& text, TAlignment alignment) override;
    void GetControlInfo(const QString& fieldName, QString& kind, QString& parameters) override;
    void LinkActive(bool ativo) override;
    void SetColumnAttributes() override;
    void DoCellChanged() override;
    void DoRowChanged() override;
    void Scroll(int distancia) override;
    void DoExit() override;
    void CreateWnd() override;
    void Paint() override;
    void DrawCell(int coluna, int linha, const TRect& r, TGridDrawState estado) override;
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void keyPressEvent(QKeyEvent* e) override;
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, bool doubleClick, int x, int y) override;
    void DblClick() override;
    void TopLeftChanged() override;
    void Resized() override;

private:
    // The parts of the first ControlType line of the cell's field whose type serves; none when
    // the cell has none or cell controls are off.
    [[nodiscard]] QStringList LinhaDeControle(int coluna, int linha, bool (*tipoServe)(const QString&)) const;
    // Binds the control to the grid's data source and the field, as the grid's own child.
    void AdotaControle(QWidget* controle, const QString& campo);
    // The cell's rich edit is told F2, which opens its editor.
    void AbreRich(QWidget* controle);
    [[nodiscard]] QString TextoRich(TField* campo);
    // The grid's own rich edit holding the field's rich text; none for another field.
    [[nodiscard]] TdvDBRichEdit* LeitorRich(TField* campo);
    void AplicaListaDeColunas();
    void AtualizaMarcasDasLinhas();
    [[nodiscard]] int IndiceSelecionado();
    [[nodiscard]] bool CelulaCheckBox(int coluna, int linha);
    [[nodiscard]] bool PodeEditar() const;
    void PoeControle(QWidget* controle);
    [[nodiscard]] std::vector<TdvStoredColumn> ColunasParaGuardar();

    TdvMemoAttributes FMemoAttributes = mSizeable | mWordWrap;
    TdvIniAttributes FIniAttributes;
    int FFixedCols = 0;
    TdvEditControlOptions FEditControlOptions = ecoSearchOwnerForm;
    bool FAplicandoLista = false;
    bool FListaAplicada = false;
    bool FLayoutPendente = true;
    bool FDestruindo = false;
    bool FColocandoControle = false;
    std::vector<TBookmark> FSelecionados;
    QStringList FMarcasDasLinhas;
    QPointer<QWidget> FCurrentCellControl;
    QPointer<QWidget> FDateTimePicker;
    // Where each control placed over a cell came from: it goes back there with the grid.
    std::vector<std::pair<QPointer<QWidget>, QPointer<QWidget>>> FPaisOriginais;
    bool FAtualizacaoPendente = false;
    bool FControlesPreparados = false;
    bool FAjustandoTopo = false;
    std::vector<QPointer<QObject>> FLinkedComponents;
    TdvDBRichEdit* FLeitorRich = nullptr;   // the grid's child, made on first use
};
