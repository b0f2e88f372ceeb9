#pragma once
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "components/data/settings/IdvPublished.h"

class TDataSet;
class TdvTable;

// Options of the record-by-record filter, combined with "|".
enum TdvOnFilterOption : std::uint8_t {
    ofoEnabled = 1u << 0,          // the OnFilter handler is consulted
    ofoShowHourGlass = 1u << 1,    // hour glass from the first rejected record
    ofoCancelOnEscape = 1u << 2,   // Esc cancels the filtering
};
using TdvOnFilterOptions = std::uint8_t;

// What the library's datasets (table, query, query-by-example, stored procedure) add to the
// engine's: per-field setting lines read by the controls (picture masks, control types, lookup
// fields and links), a record-by-record filter event with its options, the lookup tables made
// for lookup fields, and the hour glass of a long filter.
class TdvDataSetExtensions : public IdvPublished {
public:
    using TFilterEvent = std::function<void(TDataSet* dataSet, bool& accept)>;
    using TNotifyEvent = std::function<void(TDataSet* dataSet)>;

    TdvDataSetExtensions();
    ~TdvDataSetExtensions() override;
    TdvDataSetExtensions(const TdvDataSetExtensions&) = delete;
    TdvDataSetExtensions& operator=(const TdvDataSetExtensions&) = delete;

    // Setting lines (dvSettingLines.h); setters copy the lines.
    [[nodiscard]] QStringList& LookupFields() { return FLookupFields; }
    void SetLookupFields(const QStringList& linhas) { FLookupFields = linhas; }
    [[nodiscard]] QStringList& LookupLinks() { return FLookupLinks; }
    void SetLookupLinks(const QStringList& linhas) { FLookupLinks = linhas; }
    [[nodiscard]] QStringList& ControlType() { return FControlType; }
    void SetControlType(const QStringList& linhas) { FControlType = linhas; }
    [[nodiscard]] QStringList& PictureMasks() { return FPictureMasks; }
    void SetPictureMasks(const QStringList& linhas) { FPictureMasks = linhas; }

    // Check the picture masks before a record is posted.
    bool ValidateWithMask = true;
    TInvalidValueEvent OnInvalidValue;
    TNotifyEvent OnFilterEscape;   // the user cancelled the filtering with Esc

    [[nodiscard]] const TFilterEvent& OnFilter() const { return FOnFilter; }
    [[nodiscard]] TdvOnFilterOptions OnFilterOptions() const { return FOnFilterOptions; }

    // Tables opened for the lookup fields; owned, freed when the dataset closes.
    [[nodiscard]] std::vector<std::unique_ptr<TdvTable>>& LookupTables() { return FLookupTables; }

    // IdvPublished
    QStringList* PublishedPictureMasks() override { return &FPictureMasks; }
    QStringList* PublishedControlType() override { return &FControlType; }
    QStringList* PublishedLookupFields() override { return &FLookupFields; }
    QStringList* PublishedLookupLinks() override { return &FLookupLinks; }
    [[nodiscard]] const TInvalidValueEvent* PublishedOnInvalidValue() const override { return &OnInvalidValue; }
    bool SetPublishedOnFilterEnabled(bool habilitado) override;

protected:
    // The record callback of the table, query and query-by-example datasets: accepts at once
    // while destroying, without a handler, when re-entered (a handler that reads other records
    // of the dataset sees them all) or without ofoEnabled; shows the hour glass at the first
    // rejection; with ofoCancelOnEscape, looks for Esc every hundredth record.
    bool FilterRecord(TDataSet* dataSet);
    // The stored procedure's: only the handler, whatever the options.
    bool FilterRecordOnly(TDataSet* dataSet);
    // Puts the normal cursor back after the filter showed the hour glass.
    void RestoreCursor();
    void FreeLookupTables();
    [[nodiscard]] bool InFilterHandler() const { return FReentrada; }

    TFilterEvent FOnFilter;
    TdvOnFilterOptions FOnFilterOptions = ofoEnabled | ofoShowHourGlass;
    bool FDestruindo = false;

private:
    virtual void SetOptionsFromEscape(TdvOnFilterOptions opcoes) { FOnFilterOptions = opcoes; }

    QStringList FLookupFields;
    QStringList FLookupLinks;
    QStringList FControlType;
    QStringList FPictureMasks;
    std::vector<std::unique_ptr<TdvTable>> FLookupTables;
    bool FReentrada = false;
    bool FAmpulheta = false;
    int FContadorEsc = 0;   // 0 to 31999
};
