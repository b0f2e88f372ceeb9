#pragma once
#include <QHash>
#include <QString>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/db/sqlite/TComando.h"

struct sqlite3;
struct TEsquemaTabela;

// The one SQLite database file of a data folder. Every table opened on the folder goes through
// the same connection, so one transaction can span several tables.
//
// Writes: every write statement runs inside a transaction (TTransacao). While write-through is
// off (SetWriteThrough(false)) the writes join one transaction that is committed when it is
// turned back on. Rollback journal and synchronous=FULL: a committed write is on the disk.
class TDatabase final {
public:
    // A cursor that keeps statements running between calls; released before every write,
    // commit or rollback, which would otherwise wait for it or abort it.
    class ILeitor {
    public:
        virtual ~ILeitor() = default;
        virtual void SoltaLeituras() = 0;
    };

    static QString NomeArquivo();   // "pruv2003.db", inside the data folder
    // The collation of people's and companies' names, registered on every connection: letters
    // compare without regard to case or accents ("José" sorts with "JOSE"), then by their text.
    static constexpr char ColacaoNomes[] = "PRUVNOME";
    // Compares two names in UTF-8 as ColacaoNomes does: negative, zero or positive. Bytes that
    // are no UTF-8 compare as the replacement character QString::fromUtf8 reads them as.
    [[nodiscard]] static int ComparaNomes(std::string_view a, std::string_view b);
    // Gives a connection of its own the program's collations, without which an index of names
    // can be neither checked nor written.
    static void RegistraColacoes(sqlite3* conexao);
    // Makes the database file arquivo when it is missing, under the program's rule for new files
    // (SQLite would make it 0644 whatever the folder and the umask; its journal takes the file's
    // permissions). Raises EDBEngineError (cannot open), with the cause in words, when anything
    // but a regular file stands under the name (SQLite would wait on a fifo for good) or the file
    // can be neither made nor read.
    static void CriaArquivo(const QString& arquivo);

    // The database of a folder, shared while anyone holds it; opened (the file created when
    // missing) on first use. Raises EDBEngineError when the file cannot be opened.
    static std::shared_ptr<TDatabase> DaPasta(const QString& pasta);

    explicit TDatabase(const QString& arquivo);

    // Databases opened after this call live in memory, named by their file only (no file is
    // read or written): for fuzzing, where each run must not pay for the disk. Data last as
    // long as someone holds the database.
    static void SetEmMemoria(bool emMemoria);
    ~TDatabase();
    TDatabase(const TDatabase&) = delete;
    TDatabase& operator=(const TDatabase&) = delete;

    [[nodiscard]] const QString& Arquivo() const { return FArquivo; }
    [[nodiscard]] sqlite3* Conexao() const { return FConexao; }

    // Why nothing can be written, each told its own way: the folder takes no new file (the
    // journal; also a read-only disk), or SQLite opened the file itself read-only (a file the user
    // may not change).
    enum class TMotivoSomenteLeitura { Nenhum, Pasta, Arquivo };
    [[nodiscard]] TMotivoSomenteLeitura MotivoSomenteLeitura() const;
    [[nodiscard]] bool SomenteLeitura() const { return MotivoSomenteLeitura() != TMotivoSomenteLeitura::Nenhum; }
    // For tests, whose user may write anywhere: while one exists, every database answers
    // MotivoSomenteLeitura with motivo.
    class SimulacaoSomenteLeitura {
    public:
        explicit SimulacaoSomenteLeitura(TMotivoSomenteLeitura motivo = TMotivoSomenteLeitura::Pasta);
        ~SimulacaoSomenteLeitura();
        SimulacaoSomenteLeitura(const SimulacaoSomenteLeitura&) = delete;
        SimulacaoSomenteLeitura& operator=(const SimulacaoSomenteLeitura&) = delete;
    };

    // The stored name of a table, found without regard to case or extension ("PRUVITEM.DB"
    // finds PruvItem); empty when there is none.
    [[nodiscard]] QString NomeReal(const QString& nomeTabela);
    [[nodiscard]] static QString NomeSemExtensao(const QString& nomeTabela);
    [[nodiscard]] QStringList NomesTabelas();

    // A statement kept for reuse, reset and ready to be bound. Used for statements that run to
    // their end at once; cursors keep their own.
    TComando& Comando(const QString& sql);
    // Kept while the schema stays as it is: the table definitions TEsquemaTabela::Le read, and
    // the statements that closed cursors prepared, for the next cursor that prepares the same
    // text (each handed to one holder at a time, reset and unbound). Opening a declaration's
    // many tables again then parses and prepares nothing. Forgotten when SQLite's schema
    // version moves; the definitions also after a rollback that moved it, which may bring back
    // an older schema under a version number seen since, and after a transaction SQLite lost.
    [[nodiscard]] std::shared_ptr<const TEsquemaTabela> EsquemaGuardado(const QString& nomeTabela);
    void GuardaEsquema(const QString& nomeTabela, std::shared_ptr<const TEsquemaTabela> esquema);
    // A statement of that text for one holder: one handed back and kept, or else prepared now.
    [[nodiscard]] std::shared_ptr<TComando> ComandoDevolvido(const QString& sql);
    void DevolveComando(std::shared_ptr<TComando> comando);
    // The steps of SQLite's plan for a statement (the detail of each row of EXPLAIN QUERY PLAN),
    // kept by its text while the schema stays as it is: a table opened again plans its walks
    // no more. Raises EDBEngineError when the statement cannot be prepared.
    [[nodiscard]] QStringList Plano(const QString& sql);

    // Runs a statement that writes (after the fault hook and the release of the readers).
    void Escreve(TComando& comando);
    void Escreve(const QString& sql);

    [[nodiscard]] int Alteracoes() const;       // rows changed by the last write
    [[nodiscard]] qint64 UltimoRowId() const;   // rowid of the last row inserted

    // Counts every change to the data or the schema: a cursor whose statement began before a
    // change seeks again instead of stepping on.
    [[nodiscard]] quint64 Geracao() const { return FGeracao; }
    // Counts the writes and commits that failed: a caller tells whether a step it ran met one,
    // wherever that failure was told.
    [[nodiscard]] quint64 EscritasFalhas() const { return FEscritasFalhas; }
    void SoltaLeituras();
    void RegistraLeitor(ILeitor* leitor);
    void RemoveLeitor(ILeitor* leitor);

    // Transactions nest (the inner ones are savepoints) and close in reverse order.
    // Use TTransacao rather than these. When SQLite rolls a transaction back by itself (an I/O
    // error, a full disk), the transaction is lost: every later write, savepoint, release or
    // commit raises EDBEngineError until the outermost transaction ends, so that no write of the
    // operation commits on its own.
    int IniciaTransacao();
    void ConfirmaTransacao(int nivel);
    void DesfazTransacao(int nivel);
    [[nodiscard]] int ProfundidadeTransacao() const { return FProfundidade; }
    [[nodiscard]] bool TransacaoPerdida() const;

    // Off: the following writes share one transaction, committed when it is turned on again
    // (calls nest: the last "on" commits). Raises EDBEngineError when the commit fails; the
    // writes are then rolled back.
    void SetWriteThrough(bool ligado);
    [[nodiscard]] bool WriteThrough() const { return FLote == 0; }

    // Test hook: the write after the next `escritasAntes` writes fails as a disk error would;
    // a negative count disarms it.
    void FalhaNaProximaEscrita(int escritasAntes = 0);

    // Gives back the space of deleted rows (VACUUM). Outside any transaction.
    void Compacta();

    // Bytes that a table with its indexes takes in the database file (0 for a table that does
    // not exist); -1 when they cannot be read.
    [[nodiscard]] qint64 TamanhoTabela(const QString& nomeTabela);

private:
    static std::shared_ptr<TDatabase> Abre(const QString& pasta);   // DaPasta's search of the open ones
    void ExecutaDireto(const QString& sql);
    TComando& Guardado(const QString& sql);   // kept for reuse, made on first use
    void ExecutaGuardado(const QString& sql);
    void ConfereFalhaSimulada();
    void ConfereEsquema();
    void EsqueceGuardados();
    // PRAGMA schema_version; the second gives -2 when it cannot be read.
    qint64 VersaoEsquema();
    qint64 VersaoEsquemaSemFalha() noexcept;
    void RecusaSePerdida() const;
    [[noreturn]] static void FalhaPerdida();
    template <typename Execucao> void ExecutaEscrita(Execucao&& executa);

    QString FArquivo;
    sqlite3* FConexao = nullptr;
    QHash<QString, std::shared_ptr<TComando>> FComandos;
    std::vector<TComando*> FEntregues;   // of FComandos, handed out since the readers were last released
    std::vector<ILeitor*> FLeitores;
    QHash<QString, std::shared_ptr<const TEsquemaTabela>> FEsquemas;
    QHash<QString, QString> FNomesReais;   // NomeReal's answers under FVersaoEsquema
    QMultiHash<QString, std::shared_ptr<TComando>> FDevolvidos;
    QHash<QString, QStringList> FPlanos;   // Plano's answers under FVersaoEsquema
    qint64 FVersaoEsquema = -1;            // of the kept ones; -1 none
    quint64 FGeracao = 0;
    quint64 FEscritasFalhas = 0;
    int FProfundidade = 0;
    int FLote = 0;
    int FNivelLote = 0;
    int FFalhaEm = -1;   // writes left before the simulated failure; -1 none
};
