#pragma once
#include <QStringList>
#include <vector>

#include "platform/db/datasets/TDBDataSet.h"
#include "platform/db/sqlite/TIndexDef.h"

class TCursorTabela;
class TDataSource;

enum TTableType : std::uint8_t { ttDefault, ttParadox, ttDBase, ttFoxPro, ttASCII };

// One table of the database, found by name without regard to case or extension ("Pruv.db"),
// in the order of an index (IndexName; the primary index when empty) or of fields
// (IndexFieldNames), within a range on the index's leading fields, with key searches.
//
// Key values are set in the dsSetKey state: SetKey (or SetRangeStart, SetRangeEnd), then the
// index fields' setters, then GotoKey, GotoNearest or ApplyRange. A key uses the leading index
// fields that were set (KeyFieldCount, when not 0, fixes their number).
class TTable : public TDBDataSet {
public:
    TTable() = default;
    ~TTable() override;

    [[nodiscard]] const QString& TableName() const { return FTableName; }
    virtual void SetTableName(const QString& nome);   // only while closed
    [[nodiscard]] TTableType TableType() const { return FTableType; }
    void SetTableType(TTableType tipo) { FTableType = tipo; }
    [[nodiscard]] bool Exclusive() const { return FExclusive; }
    void SetExclusive(bool exclusivo) { FExclusive = exclusivo; }   // one process: nothing to lock
    [[nodiscard]] bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool somenteLeitura);   // only while closed

    // Order. Changing it on an open table cancels the range and keeps the current record.
    [[nodiscard]] const QString& IndexName() const { return FIndexName; }
    void SetIndexName(const QString& nome);
    [[nodiscard]] const QString& IndexFieldNames() const { return FIndexFieldNames; }
    void SetIndexFieldNames(const QString& campos);
    // Text fields that order and compare by the names' collation (TDatabase::ColacaoNomes) when
    // they are among IndexFieldNames; set before the order.
    void SetCamposNome(const QStringList& campos) { FCamposNome = campos; }
    [[nodiscard]] int IndexFieldCount() const;
    [[nodiscard]] TField* IndexFields(int indice) const;
    // Definitions as stored (read when the table is opened or UpdateIndexDefs is called).
    [[nodiscard]] const std::vector<TIndexDef>& IndexDefs();
    void UpdateIndexDefs();
    void GetIndexNames(QStringList& nomes);

    // Schema
    [[nodiscard]] bool Exists();
    // Replaces the table by an empty one with these fields and indexes (closed table).
    void CreateTable(const std::vector<TFieldDef>& campos, const std::vector<TIndexDef>& indices);
    void DeleteTable();
    void EmptyTable();   // every row of the table, whatever the range and filters
    void AddIndex(const QString& nome, const QString& campos, TIndexOptions opcoes);
    void DeleteIndex(const QString& nome);
    // Posts a pending edit; each post is already its own durable transaction.
    void FlushBuffers();

    // Keys
    void SetKey();
    void EditKey();
    bool GotoKey();
    void GotoNearest();
    bool FindKey(const QVariantList& valores);
    void FindNearest(const QVariantList& valores);
    // Ranges
    void SetRangeStart();
    void SetRangeEnd();
    void EditRangeStart();
    void EditRangeEnd();
    void ApplyRange();    // moves to the first record of the range
    void CancelRange();   // keeps the current record
    void SetRange(const QVariantList& inicio, const QVariantList& fim);
    // A range limits the records now.
    [[nodiscard]] bool RangeApplied() const;
    [[nodiscard]] bool KeyExclusive() const;
    void SetKeyExclusive(bool exclusivo);
    [[nodiscard]] int KeyFieldCount() const;
    void SetKeyFieldCount(int quantidade);

    // Kept for the components that read them; the table does not follow a master.
    TDataSource* MasterSource = nullptr;
    QString MasterFields;

protected:
    std::unique_ptr<TCursor> CreateCursor() override;
    [[nodiscard]] bool InternalIsSequenced() override { return !HasFilterCallbacks(); }
    // The table cursor, or null while closed or when a subclass gave another kind of cursor.
    [[nodiscard]] TCursorTabela* CursorTabela() const;
    void InternalClose() override;

private:
    enum TIndiceChave { kiLookup, kiRangeStart, kiRangeEnd, kiCurRangeStart, kiCurRangeEnd, kiCount };
    struct TChave {
        TBufferChave Buffer;
        int Campos = 0;
        bool Usado = false;
    };

    TCursorTabela& ExigeCursorTabela() const;
    void IniciaChave(TIndiceChave qual, bool limpa);
    void LimpaChave(TIndiceChave qual);
    [[nodiscard]] std::vector<QVariant> ValoresChave(const TChave& chave) const;
    void DefineValoresChave(TIndiceChave qual, const QVariantList& valores);
    void AplicaOrdem();
    // Orders by an index name or by fields; a failed switch keeps the order it had.
    void TrocaOrdem(const QString& nome, const QString& campos);
    void AplicaFaixaNoCursor();
    bool VaiParaChave(TIndiceChave qual, bool exato, bool exclusivo);

    QString FTableName;
    TTableType FTableType = ttDefault;
    bool FExclusive = false;
    bool FReadOnly = false;
    QString FIndexName;
    QString FIndexFieldNames;
    QStringList FCamposNome;
    std::vector<TIndexDef> FIndexDefs;
    bool FIndexDefsLidos = false;
    TChave FChaves[kiCount];
    TIndiceChave FChaveAtual = kiLookup;
};
