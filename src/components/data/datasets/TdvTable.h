#pragma once
#include <QStringList>
#include <memory>
#include <vector>

#include "components/data/datasets/TdvDataSet.h"
#include "platform/db/datasets/TTable.h"

// The table of the component library, and every table of the program: a TTable with a filter
// written as text lines (dvFilter), the record-by-record filter event, per-field setting lines,
// key searches that choose an index by field names, packing, and rows that may come from an
// SQL text (Query) instead of a table.
//
// dvFilter lines are joined as "L1 AND (L2) AND (L3)" after each loses its trailing blanks and
// tabs; blank lines are skipped. A text that does not compile leaves the table without an
// expression filter.
class TdvTable : public TdvDataSet<TTable> {
public:
    TdvTable();
    ~TdvTable() override;

    // The filter lines themselves: callers change them and call RefreshDvFilter.
    [[nodiscard]] QStringList& dvFilter() { return FDvFilter; }
    // Assigns the lines; on an open table applies them at once, with the warning "Fail to set
    // filter" when they do not compile.
    void SetdvFilter(const QStringList& linhas);
    // Applies the joined lines (and the OnFilter callback anew); false when they do not compile.
    bool RefreshDvFilter();
    // A filter in effect that RefreshDvFilter would take away or install again: an expression
    // or an OnFilter callback.
    [[nodiscard]] bool FiltroEmEfeito() const { return FFiltroExpressao != 0 || FOnFilter; }
    [[nodiscard]] QString JoinedDvFilter() const;
    [[nodiscard]] static QString JoinFilterLines(const QStringList& linhas);

    // Rows from an SQL text ("SQL") instead of the table; a text whose first word is "query"
    // is query-by-example ("QBE"), run as TdvQBE runs it (blanks counting as zero). A
    // query-by-example text that changes data is refused when the table opens.
    [[nodiscard]] const QStringList& Query() const { return FQuery; }
    void SetQuery(const QStringList& linhas);   // closes the table; lines clear TableName
    [[nodiscard]] const QString& QueryLanguage() const { return FLinguagemQuery; }
    void SetTableName(const QString& nome) override;   // a name clears Query

    bool SyncSQLByRange = false;
    bool NarrowSearch = false;
    unsigned char NarrowSearchUpperChar = 255;

    // Packs the table (gives back the space of deleted rows). False with the reason in `erro`
    // (for an engine failure its cause in the user's words, empty when it names none); Exclusive,
    // Active and the controls are restored either way.
    bool PackTable(QString& erro);
    [[nodiscard]] bool IsParadoxTable() const;
    [[nodiscard]] bool IsDBaseTable() const;

    // Index choice by field names ("A;B"); GetIndexNameForFields answers "?" when none fits.
    bool SelectIndexForSelected(const QStringList& selecionados);
    bool SelectIndexForFields(const QString& campos);
    [[nodiscard]] QString GetIndexNameForFields(const QString& campos);
    // The fields of an index; an empty name means the primary index.
    [[nodiscard]] QString GetIndexFields(const QString& nome);
    // The picture the table stores for a field: SQLite tables store none.
    [[nodiscard]] QString GetTablePicture(const QString& campo) const;

    // Positions on the index key of the values (texts compared without regard to case); shows a
    // warning and answers false for more values than index fields; raises nothing.
    bool LookupFindKey(const QVariantList& valores);
    // The incremental search on the current index (position: the index field typed into).
    bool SearchNearest(const QString& texto, int posicaoCampo);
    bool FindFieldValue(const QString& campo, const QString& valor, int tipoBusca, bool diferenciaCaixa);
    void ResetRange();
    // Raised while a search or key operation runs; other components read it.
    [[nodiscard]] int NestedOperations() const { return FOperacoesAninhadas; }

    // An object that must learn that this table was destroyed registers a flag, which the
    // destructor sets; a flag freed first is left alone.
    void RegisterRecord(const std::shared_ptr<bool>& aviso);

    // IdvPublished
    [[nodiscard]] QString TablePicture(const QString& campo) const override { return GetTablePicture(campo); }
    [[nodiscard]] TDataSource* PublishedMasterSource() const override { return MasterSource; }

protected:
    std::unique_ptr<TCursor> CreateCursor() override;
    void OpenCursor() override;
    void PrepareCursor() override;
    void CloseCursor() override;
    [[nodiscard]] bool InternalIsSequenced() override;
    QByteArray CompileFilterText(const QString& texto) override;

private:
    QStringList FDvFilter;
    QStringList FQuery;
    QString FLinguagemQuery;
    int FFiltroExpressao = 0;   // engine handle; 0 none
    int FOperacoesAninhadas = 0;
    bool FParadoxAberto = false;
    bool FAbrindo = false;
    std::vector<std::weak_ptr<bool>> FAvisos;
};
