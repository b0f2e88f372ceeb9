#pragma once
#include <memory>
#include <optional>

#include "platform/db/cursors/TCursor.h"
#include "platform/db/datasets/TDataSet.h"

class TDatabase;

// A dataset on the database of a data folder (DatabaseName), through an engine cursor that
// the subclass creates.
class TDBDataSet : public TDataSet {
public:
    TDBDataSet() = default;
    ~TDBDataSet() override;

    [[nodiscard]] const QString& DatabaseName() const { return FDatabaseName; }
    void SetDatabaseName(const QString& pasta);   // only while closed
    // The database while open; null while closed.
    [[nodiscard]] TDatabase* Database() const { return FBanco.get(); }
    // The database of DatabaseName, opened when needed (raises when it cannot be opened).
    [[nodiscard]] std::shared_ptr<TDatabase> OpenDatabase() const;

protected:
    virtual std::unique_ptr<TCursor> CreateCursor() = 0;
    [[nodiscard]] TCursor* Cursor() const { return FCursor.get(); }

    void InternalOpen() override;
    void InternalClose() override;
    bool FetchRecord(const TRegistro* de, TGetMode modo, TRegistro& registro) override;
    int FetchFilteredRecord(const TRegistro* de, TGetMode modo, TRegistro& registro) override;
    bool FetchBookmark(const TBookmark& marca, TRegistro& registro) override;
    [[nodiscard]] TBookmark BookmarkOf(const TRegistro& registro) const override;
    void InternalPost(TRegistro& registro, const TRegistro* original) override;
    void InternalDelete(const TRegistro& registro) override;
    [[nodiscard]] bool InternalCanModify() const override;
    int InternalRecordCount() override;
    int InternalRecNo(const TRegistro& registro) override;
    bool FetchRecNo(int numero, TRegistro& registro) override;
    int InternalCompareBookmarks(const TBookmark& a, const TBookmark& b) override;
    bool InternalLocate(const QString& campos, const QVariantList& valores, TLocateOptions opcoes, TRegistro& registro,
                        bool& tratado) override;
    void InternalRefresh() override;
    bool AcceptExpression(const QByteArray& expressao, QString& erro) override;
    void FiltersChanged() override;

private:
    QString FDatabaseName;
    std::shared_ptr<TDatabase> FBanco;
    std::unique_ptr<TCursor> FCursor;
    // A cursor closed by a callback filter that it was running: it outlives its walk.
    std::unique_ptr<TCursor> FCursorFechado;
    // The filters as they were when the cursor could not run them: they are asked outside it
    // until they change.
    std::optional<quint64> FVersaoFiltrosFora;
    TCursor::TAceita FAplicaCallbacks = [this](TRegistro& registro) { return ApplyFilterCallbacks(registro); };
};
