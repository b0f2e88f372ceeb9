#pragma once
#include <QString>
#include <QStringList>
#include <vector>

#include "platform/db/sqlite/TFieldDef.h"
#include "platform/db/sqlite/TIndexDef.h"

class TDatabase;

// The stored definition of one table: its columns, its primary key and its named indexes, read
// from SQLite's own schema. The field type lives in the column's declared type ("TEXT(5)",
// "CURRENCY INTEGER"); a case-insensitive index orders a hidden column "<field>$ci" that
// repeats the field with the NOCASE collation; index names are stored as "<table>$<index>"
// because SQLite's are global.
struct TEsquemaTabela {
    QString Nome;                     // as stored
    std::vector<TFieldDef> Campos;    // in column order
    std::vector<bool> NaoNulo;        // per column: NULL cannot occur
    std::vector<TIndexDef> Indices;   // the primary index first (empty name), when there is one
    QStringList NomesSqlite;          // per index: its name in SQLite ("" the primary)
    QStringList ChavePrimaria;        // fields of the primary key; empty: rows are told by rowid
    bool SemRowid = false;
    // SELECT of every column, the rowid first when there is no primary key; made when read.
    QString Selecao;
    // Per column, its name quoted, and that of its case-blind twin (for every text column, though
    // only those in a case-insensitive index have one); made when read, as every cursor over the
    // table writes them again for each order it takes.
    QStringList NomesAspas;
    QStringList NomesSemCaixaAspas;
    // Per index, its fields; made when read, as every cursor over the table takes an index.
    std::vector<QStringList> CamposIndices;

    [[nodiscard]] int IndiceCampo(const QString& nome) const;           // -1 when absent (case ignored)
    [[nodiscard]] const TIndexDef* Indice(const QString& nome) const;   // by name, case ignored; "" the primary
    // The fields of one of Indices (or of any other index, split from its text).
    [[nodiscard]] QStringList CamposDoIndice(const TIndexDef& indice) const;

    // Raises EDatabaseError when the table does not exist. Kept by the database while its schema
    // stays as it is.
    static TEsquemaTabela Le(TDatabase& banco, const QString& nomeTabela);

    // Replaces the table (and its data) by an empty one with these columns and indexes; the
    // primary index (ixPrimary) becomes the primary key. One transaction.
    static void Cria(TDatabase& banco, const QString& nome, const std::vector<TFieldDef>& campos,
                     const std::vector<TIndexDef>& indices);
    // Brings a table that an older program made up to these columns and indexes: when it lacks
    // any column, it is rebuilt as Cria makes it and its rows move in by column name, the columns
    // they lack taking their empty value; otherwise only the indexes it lacks (by name) are made.
    // False when it lacked nothing. One transaction: raises
    // EDatabaseError when it holds a column that is not among these (which a rebuild would lose)
    // or a row does not fit (a key repeated), and the table is then as it was.
    static bool Atualiza(TDatabase& banco, const QString& nome, const std::vector<TFieldDef>& campos,
                         const std::vector<TIndexDef>& indices);
    static void Apaga(TDatabase& banco, const QString& nomeTabela);
    static void AdicionaIndice(TDatabase& banco, const QString& nomeTabela, const TIndexDef& indice);
    static void RemoveIndice(TDatabase& banco, const QString& nomeTabela, const QString& nomeIndice);

    [[nodiscard]] static QString TipoDeclarado(const TFieldDef& campo);
    [[nodiscard]] static TFieldDef DefDoTipoDeclarado(const QString& nome, const QString& tipoDeclarado);
    [[nodiscard]] static QString Aspas(const QString& identificador);
    static void AcrescentaAspas(QString& texto, const QString& identificador);   // Aspas, appended
    [[nodiscard]] static QString Marcadores(int quantidade);                     // "(?,?,...)", one per value
    [[nodiscard]] static QString MontaSelecao(const TEsquemaTabela& esquema);
    [[nodiscard]] static QString NomeIndiceSqlite(const QString& tabela, const QString& indice);
    [[nodiscard]] static QString ColunaSemCaixa(const QString& campo);

private:
    static TEsquemaTabela LeDoBanco(TDatabase& banco, const QString& nomeTabela);
    // The indexes of the list (not the primary) that the table has no index of that name for,
    // made in one transaction; false when there was none to make.
    static bool AdicionaIndicesAusentes(TDatabase& banco, const TEsquemaTabela& atual,
                                        const std::vector<TIndexDef>& indices);
};
