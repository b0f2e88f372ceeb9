#pragma once
#include <QString>
#include <array>
#include <memory>

#include "components/controls/grid/TdvCustomDBGrid.h"

class TDataSet;
class TDataSource;
class TField;
class TdvDBCustomLookupCombo;

enum TdvDBLookupListOption : unsigned { loColLines = 1u << 0, loRowLines = 1u << 1, loTitles = 1u << 2 };
using TdvDBLookupListOptions = unsigned;

// The records of a lookup table in a grid that keeps the lookup value of one record: the text
// of its first lookup field (and of a second and third one, LookupField holding up to three
// names separated by ";"), and the text of its display field (the first Selected field, else
// the first lookup field). The row whose lookup fields hold the kept values is drawn selected.
// Every list belongs to a lookup combo, which hands it the keys (the list never takes the
// focus) and which it asks for the value to show.
class TdvDBLookupList : public TdvCustomDBGrid {
    Q_OBJECT
public:
    explicit TdvDBLookupList(TdvDBCustomLookupCombo& combo, QWidget* parent = nullptr);
    ~TdvDBLookupList() override;

    [[nodiscard]] TdvDBCustomLookupCombo& Combo() const { return FCombo; }
    [[nodiscard]] TDataSet* LookupTable() const;
    // Raises EInvalidOperation when the table is the combo's own data source's dataset.
    void SetLookupTable(TDataSet* tabela);
    [[nodiscard]] TDataSource& LookupSource() const { return *FLookupSource; }
    [[nodiscard]] const QString& LookupField() const { return FLookupField; }
    // Raises when a name is no field of an open lookup table ("Field '%s' not found").
    void SetLookupField(const QString& campos);
    [[nodiscard]] TdvDBLookupListOptions ListOptions() const { return FListOptions; }
    void SetListOptions(TdvDBLookupListOptions opcoes);

    // Reads the lookup and display fields from LookupField and Selected afresh.
    void ReadLookupFields();
    [[nodiscard]] TField* DisplayField() const { return FDisplayField; }
    [[nodiscard]] TField* LookupFieldAt(int i) const;
    [[nodiscard]] int LookupFieldCount() const { return FLookupFieldCount; }
    [[nodiscard]] bool DisplayIsFirstLookupField() const;

    [[nodiscard]] const QString& LookupValue(int i = 0) const { return FLookupValues.at(static_cast<std::size_t>(i)); }
    [[nodiscard]] const QString& DisplayValue() const { return FDisplayValue; }
    void SetDisplayValueText(const QString& texto) { FDisplayValue = texto; }
    void SetLookupValueAt(int i, const QString& valor) { FLookupValues.at(static_cast<std::size_t>(i)) = valor; }
    // The last positioning on the combo's value found a record.
    [[nodiscard]] bool Found() const { return FFound; }
    // The data row of the record that carries the kept values; -1 when none.
    [[nodiscard]] int RememberedRow() const { return FRememberedRow; }

    // Positions the list on the record whose first lookup field holds the value.
    void SetLookupValue(const QString& valor);
    // Moves to the combo's value (with dropDown: as the drop-down opens, the table then in
    // display order and on its first record when nothing was found).
    void PositionOnComboValue(bool dropDown);
    // Finds the combo's value in the lookup table; true when found.
    bool LocateComboValue();
    // The kept values from the current record of the lookup table.
    void TakeCurrentRecord();
    void ClearLookupValues();
    // The current record becomes the chosen one (mouse or keys), then OnClick.
    void ChooseRecord();
    // A key that the combo hands over while the list shows.
    void ListKeyDown(int key, Qt::KeyboardModifiers shift);

protected:
    [[nodiscard]] virtual bool CanModifyValue();
    bool HighlightCell(int dataCol, int dataRow, const QString& value, TGridDrawState state) override;
    [[nodiscard]] bool CanGridAcceptKey(int key, Qt::KeyboardModifiers shift) override;
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void LinkActive(bool ativo) override;
    void SetColumnAttributes() override;
    void Resized() override;
    void DataChanged() override;
    // A line of the bar's arrows or of the wheel scrolls the rows by one, as a list does: the
    // current record, which no row shows as chosen, goes just past the rows shown.
    void VertScroll(TScrollCode codigo, int posicao) override;
    bool DoMouseWheelDown() override;
    bool DoMouseWheelUp() override;

private:
    bool LocalizaChaves(const QStringList& valores);
    // Through the last pair of key field and lookup-table field of a combo bound through
    // lookup links.
    bool PosicionaPelasLigacoes();

    TdvDBCustomLookupCombo& FCombo;
    std::unique_ptr<TDataSource> FLookupSource;
    QString FLookupField;
    TdvDBLookupListOptions FListOptions = 0;
    TField* FDisplayField = nullptr;
    std::array<TField*, 3> FLookupFields{};
    int FLookupFieldCount = 0;
    std::array<QString, 3> FLookupValues;
    QString FDisplayValue;
    int FRememberedRow = -1;
    bool FFound = false;
    bool FInKeyDown = false;
    int FUpdateCount = 0;
};
