#pragma once
#include <QStringList>
#include <functional>
#include <memory>

#include "components/data/datasets/TdvDataSet.h"
#include "platform/db/datasets/TDBDataSet.h"

class EDBEngineError;

// The query-by-example dataset of the component library: its QBE text (see TdvQbeParser for
// what it accepts) runs as SQL on the database of DatabaseName and the dataset shows the
// answer (read-only). With AnswerTable set, the answer is also copied into that table. A text
// that changes data runs when the dataset is opened and leaves it closed, with NoAnswer set.
class TdvQBE : public TdvDataSet<TDBDataSet> {
public:
    using TErrorEvent = std::function<void(TDataSet* dataSet, int resultado)>;

    TdvQBE();
    ~TdvQBE() override;

    [[nodiscard]] const QStringList& QBE() const { return FQBE; }
    void SetQBE(const QStringList& linhas);   // an open dataset is opened again

    // Runs the text first. While the database is locked by another program the user is asked
    // whether to try again; when he declines, the dataset stays closed without an error
    // (NoAnswer). Any other failure calls OnError with SQLite's result code and raises
    // EDBEngineError.
    void Open() override;
    [[nodiscard]] bool NoAnswer() const { return FSemResposta; }

    // The lines with "~" + a variable's name (any case) replaced by its value, the variables
    // taken from the last to the first, and every other "~" followed by letters, digits, "_" or
    // "#" replaced by one blank. A value keeps its first 255 characters, in Latin-1; after each
    // replacement the line keeps 255 characters past it.
    [[nodiscard]] static QStringList ReplaceVariables(const QStringList& lines, const QStringList& names,
                                                      const QStringList& values);

    QString AnswerTable;
    // Kept for the forms that set it: this database keeps no auxiliary tables of the rows a
    // query changed.
    bool AuxiliaryTables = true;
    bool BlankAsZero = true;   // a blank numeric field counts as zero in the conditions
    TErrorEvent OnError;       // the query failed: before the retry question or the error

protected:
    std::unique_ptr<TCursor> CreateCursor() override;
    [[nodiscard]] QString LocalFilterRefusedText() const override;

private:
    std::unique_ptr<TCursor> Executa();
    [[nodiscard]] static bool Repete(const EDBEngineError& erro);

    QStringList FQBE;
    // Variables of the text: nothing fills them, so every variable reads as a blank.
    QStringList FVariaveis;
    QStringList FValores;
    std::unique_ptr<TCursor> FAdiantado;   // the answer run ahead of opening
    bool FSemResposta = false;
};
