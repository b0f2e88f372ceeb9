#pragma once
#include <QStringList>
#include <functional>

#include "components/data/TdvDataSet.h"
#include "platform/db/TDBDataSet.h"

// The query-by-example dataset of the component library. Its properties are kept, but this
// database engine has no query-by-example: opening one raises EDatabaseError.
class TdvQBE : public TdvDataSet<TDBDataSet> {
public:
    using TErrorEvent = std::function<void(TDataSet* dataSet, int resultado)>;

    TdvQBE();
    ~TdvQBE() override;

    [[nodiscard]] const QStringList& QBE() const { return FQBE; }
    void SetQBE(const QStringList& linhas);   // an open dataset is opened again

    QString AnswerTable;
    bool AuxiliaryTables = true;
    bool BlankAsZero = true;
    TErrorEvent OnError;   // the query failed

protected:
    std::unique_ptr<TCursor> CreateCursor() override;
    [[nodiscard]] QString LocalFilterRefusedText() const override;

private:
    QStringList FQBE;
};
