#pragma once
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "components/controls/combos/TdvDBCustomCombo.h"
#include "components/controls/combos/TdvDBCustomComboBox.h"
#include "components/controls/lookup/TdvDBLookupList.h"

class TDataSet;
class TdvPopupGrid;

enum TdvSeqSearchOption : unsigned { ssoEnabled = 1u << 0, ssoCaseSensitive = 1u << 1 };
using TdvSeqSearchOptions = unsigned;

// An edit with a drop-down button that looks its value up in a second dataset, the lookup
// table, and shows several of its fields in a drop-down grid (TdvPopupGrid). The value is the
// text of the lookup field (LookupField: up to three names separated by ";"); the edit shows the
// display field (the first Selected column). Typing searches the table (at once, or SearchDelay
// milliseconds after the last key) and, with ShowMatchText, completes the text to the record
// found. Unbound, the caller reads the text and the lookup table's record after OnCloseUp,
// OnChange or OnExit; bound (DataSource, DataField), the field takes the first lookup value.
class TdvDBCustomLookupCombo : public TdvDBCustomCombo {
    Q_OBJECT
public:
    // (Sender, LookupTable, FillTable: the data source's dataset or null, modified)
    using TCloseUpEvent =
        std::function<void(TdvDBCustomLookupCombo* sender, TDataSet* lookupTable, TDataSet* fillTable, bool modified)>;
    // (Sender, LookupTable, NewValue, bool& Accept)
    using TNotInListEvent = std::function<void(TdvDBCustomLookupCombo* sender, TDataSet* lookupTable,
                                               const QString& newValue, bool& accept)>;

    explicit TdvDBCustomLookupCombo(QWidget* parent = nullptr);
    ~TdvDBCustomLookupCombo() override;

    // ---- properties ----
    [[nodiscard]] TDataSet* LookupTable() const;
    void SetLookupTable(TDataSet* tabela);
    [[nodiscard]] const QString& LookupField() const;
    void SetLookupField(const QString& campos);
    [[nodiscard]] const QStringList& Selected() const { return FSelected; }
    void SetSelected(const QStringList& linhas);
    [[nodiscard]] TdvDBLookupListOptions Options() const;
    void SetOptions(TdvDBLookupListOptions opcoes);
    [[nodiscard]] TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle estilo);   // csDropDown or csDropDownList
    [[nodiscard]] bool AutoDropDown() const { return FAutoDropDown; }
    void SetAutoDropDown(bool valor);
    int DropDownCount = 8;
    int DropDownWidth = 0;   // 0: the width of the columns
    TAlignment DropDownAlignment = taLeftJustify;
    TdvSeqSearchOptions SeqSearchOptions = ssoEnabled;
    bool OrderByDisplay = true;
    bool UseTFields = true;
    bool AllowClearKey = false;
    bool ShowMatchText = false;
    [[nodiscard]] int SearchDelay() const { return FSearchDelay; }
    void SetSearchDelay(int milissegundos);

    // ---- events ----
    std::function<void(TdvDBCustomLookupCombo* sender)> OnDropDown;
    TCloseUpEvent OnCloseUp;
    TNotInListEvent OnNotInList;

    // ---- the value ----
    // The kept value of lookup field i (0 to 2).
    [[nodiscard]] QString LookupValue(int i = 0) const;
    [[nodiscard]] QString DisplayValue() const;
    // Positions on the record whose first lookup field holds the value and shows it. Raises
    // EInvalidOperation when the data source's dataset is the lookup table.
    void SetLookupValue(const QString& valor);
    // Empties the value and the text.
    void Clear();
    // Searches again for the text (after the caller set it).
    void RefreshLookup();
    // The last search or positioning found a record.
    [[nodiscard]] bool Match() const { return FMatch; }

    // The text a grid's picture of the combo shows for the current record: the bound field's
    // (or its record's display field), whatever was typed.
    [[nodiscard]] QString CopyText();

    // ---- drop-down ----
    void DropDown() override;
    void CloseUp(bool accept) override;
    // A click elsewhere: the record found is taken and the drop-down closes with accept.
    void CancelMode();
    [[nodiscard]] TdvPopupGrid& Grid() const { return *FGrid; }
    // The mouse watch of the drop-downs is installed (one for the whole program).
    [[nodiscard]] static bool MouseHookInstalled();

    // ---- searches ----
    // The lookup table on the first record whose field matches the value.
    virtual bool FindValue(const QString& valor, const QString& fieldName, bool caseSensitive, bool partial);
    // The same through the table's index when it holds the field.
    virtual bool FindTableValue(const QString& valor, const QString& fieldName, bool partial);
    // The incremental search step for the current text.
    virtual void PerformSearch();
    [[nodiscard]] bool SearchCaseSensitive() const { return SeqSearchOptions & ssoCaseSensitive; }

    // ---- bound through lookup links ----
    // The data field is a lookup or calculated field: it cannot take the value itself, so the
    // lookup values go into the dataset's key fields (the field's KeyFields, or the first of
    // each pair of its LookupLinks line).
    [[nodiscard]] bool BoundThroughLookupLinks() const;
    // The pairs of a key field of the data source's dataset and a field of the lookup table
    // (KeyFields with LookupKeyFields for a lookup field, else the LookupLinks line).
    [[nodiscard]] std::vector<std::pair<QString, QString>> LookupKeyPairs() const;
    // Writes the lookup values into the key fields that differ (only the last one for a detail
    // lookup table); nothing into a read-only table, a dataset that cannot be modified or from a
    // ReadOnly combo. True when a write was needed.
    bool WriteThroughLookupLinks();
    // The lookup table has a master: it shows the records of one master record.
    [[nodiscard]] bool LookupIsDetail() const;

    // ---- what the list asks ----
    void SetMatch(bool valor) { FMatch = valor; }
    void NotePositionedText() { FPositionedText = text(); }
    void SwitchToDisplayOrder();
    void SwitchToKeyOrder();
    // The grid's record becomes the value (a click in the grid, Enter, Tab, an accepted close).
    void AcceptGridRecord();

    void DataChange() override;
    void UpdateData() override;

protected:
    [[nodiscard]] bool TypingAllowed() const override;
    [[nodiscard]] bool WantsKey(int key) const override;
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void KeyUp(int& key, Qt::KeyboardModifiers shift) override;
    void Change() override;
    void WndKey(TKeyMessage& m) override;
    void paintEvent(QPaintEvent* e) override;
    void CMEnter() override;
    void CMExit() override;
    void moveEvent(QMoveEvent* e) override;

private:
    friend class TdvLookupMouseHook;
    void PlaceGrid();
    // The grid takes the focus and the key, as if typed on it.
    void PassaAGrade(int& key, Qt::KeyboardModifiers shift);
    [[nodiscard]] bool PintaSozinho() const;
    void PintaProprio(QPainter& p);
    void FechaAberto(bool accept);
    // The open list closes with accept, the record found taken: Return, Tab, Alt+Up or Alt+Down,
    // or a letter of the window.
    void FechaTomandoORegistro();
    void VerificaTextoFechado();
    void RestauraSalvos();
    // Raises OnNotInList for the typed text with the in-event flag up; a dialog the event showed
    // took the left button's release away, so that release is posted afterwards.
    [[nodiscard]] bool PerguntaForaDaLista();
    void SetTextoProprio(const QString& texto);
    void SalvaAtual();
    static void InstalaGancho();
    static void RemoveGancho();

    std::unique_ptr<TdvPopupGrid> FGrid;
    QStringList FSelected;
    TComboBoxStyle FStyle = TComboBoxStyle::csDropDown;
    bool FAutoDropDown = false;
    int FSearchDelay = 0;
    QTimer FSearchTimer;
    QString FLastSearch;
    QString FSavedText;
    QString FSavedLookupValue;
    QString FPositionedText;
    bool FMatch = false;
    bool FDropDownPending = false;
    bool FClosing = false;
    bool FInEvent = false;
    bool FSettingText = false;
    bool FSelfWrite = false;
    bool FInSearch = false;
    bool FLinkWriting = false;
};
