#pragma once
#include <QString>
#include <QtGlobal>

// Copies of the data folder's database file through SQLite's online backup API: the snapshot
// that a backup packs, and the restore of a snapshot into the live database. Each copies every
// page in one transaction of its target, so a failure leaves the target as it was.
class TCopiaBanco final {
public:
    TCopiaBanco() = delete;

    // The database file of a data folder.
    [[nodiscard]] static QString ArquivoDaPasta(const QString& PastaDados);

    // Writes a consistent copy of the database of PastaDados to Destino (replacing a file of
    // that name), read through a connection of its own, so the program's connection may stay
    // open. Raises EDatabaseError with SQLite's text; Destino then does not exist.
    static void Instantaneo(const QString& PastaDados, const QString& Destino);

    // What Confere found in a file.
    struct TConferencia {
        enum class TSituacao {
            Boa,          // a sound database of this program
            Ausente,      // no such file
            Danificada,   // no database, or one whose pages are damaged
            Alheia,       // a sound database, but not of this program
            Recusada,     // of this program, but its tables cannot be brought up to today's
        };
        TSituacao Situacao = TSituacao::Boa;
        QString Motivo;   // for the log; empty when good
        [[nodiscard]] bool Boa() const { return Situacao == TSituacao::Boa; }
    };

    // Good when Arquivo is a sound database of this program: it opens, PRAGMA integrity_check
    // answers "ok", it holds tables and indexes only (no trigger or view to run later), it has
    // the declarations table, and each of the program's tables that it holds has every column
    // the program writes.
    [[nodiscard]] static TConferencia Confere(const QString& Arquivo);
    // Checks a snapshot to be restored (a work copy, which it changes) as Confere does, except
    // that tables lacking some of today's columns are brought up to them first, every row kept,
    // as opening the data does (CriaTabelasPrograma): a backup made by an earlier program. What
    // opening would refuse is Recusada, with the program's numbered message in Motivo.
    [[nodiscard]] static TConferencia PreparaRestauracao(const QString& Arquivo);

    // Replaces the content of the database of PastaDados with that of the snapshot Arquivo
    // (checked by Confere before), through the connection the program shares (TDatabase::DaPasta),
    // which must have no transaction open. A current file that cannot be read at all (damaged,
    // or no database) is replaced whole instead. The fund keys the live data gave stay given
    // (recorded into the snapshot first). Raises EDatabaseError with SQLite's text; the live
    // database is then as it was.
    static void Restaura(const QString& Arquivo, const QString& PastaDados);

    // Rows of the table (its name matched without regard to case or extension) in the database
    // file; 0 when the file or the table is missing or cannot be read.
    [[nodiscard]] static qint64 ContaLinhas(const QString& Arquivo, const QString& Tabela);
};
