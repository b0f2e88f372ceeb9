#pragma once
#include <QStringList>

#include "platform/db/datasets/TDBDataSet.h"
#include "platform/db/datasets/TParams.h"

class TDataSource;

// An SQL statement on the database. Open runs a SELECT and holds its answer (read-only);
// ExecSQL runs any other statement in its own transaction.
class TQuery : public TDBDataSet {
public:
    TQuery() = default;
    ~TQuery() override;

    [[nodiscard]] const QStringList& SQL() const { return FSQL; }
    void SetSQL(const QStringList& linhas);   // closes the query; parameters are read again
    [[nodiscard]] TParams& Params() { return FParams; }
    [[nodiscard]] TParam& ParamByName(const QString& nome) { return FParams.ParamByName(nome); }
    [[nodiscard]] bool RequestLive() const { return FRequestLive; }
    void SetRequestLive(bool vivo) { FRequestLive = vivo; }   // answers are read-only all the same
    // The master whose record the parameters come from; kept for the components that read it
    // (the parameters are still set by the caller).
    TDataSource* DataSource = nullptr;

    void ExecSQL();
    [[nodiscard]] int RowsAffected() const { return FRowsAffected; }
    // The lines joined by blanks.
    [[nodiscard]] QString Texto() const { return FSQL.join(QLatin1Char(' ')); }

protected:
    std::unique_ptr<TCursor> CreateCursor() override;
    [[nodiscard]] bool InternalIsSequenced() override { return !HasFilterCallbacks(); }
    [[nodiscard]] std::vector<std::pair<QString, QVariant>> ValoresParametros() const;

private:
    QStringList FSQL;
    TParams FParams;
    bool FRequestLive = false;
    int FRowsAffected = 0;
};
