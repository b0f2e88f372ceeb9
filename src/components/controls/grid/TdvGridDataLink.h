#pragma once
#include <QString>
#include <vector>

#include "platform/db/datasets/TDataLink.h"

class TdvCustomDBGrid;

// The grid's view of its dataset: the fields it shows (by their index in the dataset) and the
// dataset's notifications, passed on to the grid.
class TdvGridDataLink final : public TDataLink {
public:
    // Beyond this many mapped fields AddMapping raises.
    static constexpr int MaxMapSize = 16380;

    explicit TdvGridDataLink(TdvCustomDBGrid& grid)
        : FGrid(grid)
    {}

    [[nodiscard]] TdvCustomDBGrid& Grid() const { return FGrid; }
    [[nodiscard]] int FieldCount() const { return static_cast<int>(FFieldMap.size()); }
    [[nodiscard]] int FieldMapSize() const { return FCapacidade; }
    [[nodiscard]] int FieldMap(int indice) const { return FFieldMap.at(static_cast<std::size_t>(indice)); }
    // Appends the dataset field of that name; false when the dataset has none. Raises
    // EInvalidGridOperation once MaxMapSize fields are mapped.
    bool AddMapping(const QString& fieldName);
    void ClearMapping();

    // The editor changed the current field and the text is not written yet.
    [[nodiscard]] bool Modified() const { return FModified; }
    void SetModified(bool valor) { FModified = valor; }
    // A write-back of the editor's text is running.
    [[nodiscard]] bool InUpdateData() const { return FInUpdateData; }
    // Shows the field's value again in place of text never written.
    void Reset() { RecordChanged(nullptr); }

protected:
    void ActiveChanged() override;
    void DataSetChanged() override;
    void DataSetScrolled(int distancia) override;
    void EditingChanged() override;
    void LayoutChanged() override;
    void RecordChanged(TField* campo) override;
    void UpdateData() override;

private:
    TdvCustomDBGrid& FGrid;
    std::vector<int> FFieldMap;
    int FCapacidade = 0;
    bool FModified = false;
    bool FInUpdateData = false;
};

// Another held record is the active one for the length of a block (to draw it or read its
// text); the one before comes back however the block ends.
class TdvRegistroMomentaneo final {
public:
    TdvRegistroMomentaneo(TdvGridDataLink& link, int registro)
        : FLink(link)
        , FAntes(link.ActiveRecord())
    {
        FLink.SetActiveRecord(registro);
    }
    ~TdvRegistroMomentaneo() { FLink.SetActiveRecord(FAntes); }
    TdvRegistroMomentaneo(const TdvRegistroMomentaneo&) = delete;
    TdvRegistroMomentaneo& operator=(const TdvRegistroMomentaneo&) = delete;

private:
    TdvGridDataLink& FLink;
    int FAntes;
};
