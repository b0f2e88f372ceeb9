#pragma once
#include <QString>
#include <QStringList>
#include <functional>

class TDataSet;
class TDataSource;
class TField;

// The published properties of the library's datasets and controls that other components reach
// without knowing the class: a class takes part by deriving from this interface and overriding
// what it publishes. The defaults mean "not published here".
class IdvPublished {
public:
    // OnInvalidValue: a field failed its picture mask before the record was posted.
    using TInvalidValueEvent = std::function<void(TDataSet* dataSet, TField* field)>;

    virtual ~IdvPublished() = default;

    // The setting lists (see dvSettingLines.h); the object owns them and callers may change them.
    virtual QStringList* PublishedPictureMasks() { return nullptr; }
    virtual QStringList* PublishedControlType() { return nullptr; }
    virtual QStringList* PublishedLookupFields() { return nullptr; }
    virtual QStringList* PublishedLookupLinks() { return nullptr; }

    // The picture that the table itself stores for a field; empty when none.
    [[nodiscard]] virtual QString TablePicture(const QString& /*field*/) const { return {}; }

    [[nodiscard]] virtual const TInvalidValueEvent* PublishedOnInvalidValue() const { return nullptr; }
    [[nodiscard]] virtual TDataSource* PublishedMasterSource() const { return nullptr; }
    [[nodiscard]] virtual QString PublishedDatabaseName() const { return {}; }
    // Sets or clears ofoEnabled of OnFilterOptions; false when not published.
    virtual bool SetPublishedOnFilterEnabled(bool /*enabled*/) { return false; }

protected:
    IdvPublished() = default;
    IdvPublished(const IdvPublished&) = default;
    IdvPublished& operator=(const IdvPublished&) = default;
};
