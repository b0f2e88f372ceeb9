#pragma once
#include <QByteArrayView>
#include <QtContainerFwd>
#include <QString>
#include <QVariant>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;
struct sqlite3_value;

// One prepared SQLite statement. Values are always bound, never pasted into the text.
// Errors raise EDBEngineError with SQLite's message.
class TComando {
public:
    TComando(sqlite3* conexao, const QString& sql);
    ~TComando();
    TComando(const TComando&) = delete;
    TComando& operator=(const TComando&) = delete;

    // Binds by position, from 1. An invalid QVariant binds NULL; booleans bind 0 or 1.
    void Liga(int posicao, const QVariant& valor);
    // Text is read by SQLite in place, from the statement's own buffer for the position.
    void LigaTexto(int posicao, const QString& texto);
    void LigaInteiro(int posicao, qint64 valor);
    // Binds a pointer that only a function of this program that asks for `tipo` can read; the
    // pointed object must outlive the statement's steps.
    void LigaPonteiro(int posicao, void* ponteiro, const char* tipo);

    // Position of a named parameter (":NOME"), 0 when the statement has none of that name.
    [[nodiscard]] int IndiceParametro(const QString& nome) const;
    [[nodiscard]] int Parametros() const;

    // One step: true while a row is there; false once the statement is done.
    bool Passo();
    // Steps to the end of a statement that returns no rows.
    void Executa();
    void Reinicia();        // back to before the first row; bindings are kept
    void SoltaLigacoes();   // every parameter back to NULL

    [[nodiscard]] int Colunas() const;
    [[nodiscard]] QVariant Valor(int coluna) const;   // qint64, double, QString, QByteArray or invalid for NULL
    [[nodiscard]] qint64 Inteiro(int coluna) const;
    [[nodiscard]] QString Texto(int coluna) const;
    // Texto into Destino: an ASCII text is written over Destino's own letters when nobody else
    // holds them, without allocating (walks read the same column row after row into one record).
    void Texto(int coluna, QString& Destino) const;
    // The column's text as SQLite holds it (UTF-8), without a copy: valid until the next step or
    // reset. Empty for NULL.
    [[nodiscard]] QByteArrayView Bytes(int coluna) const;
    // The column into `destino` as Valor gives it, or as text when `texto` (NULL stays invalid).
    // An ASCII text is written over the string `destino` holds when nobody else holds that
    // string, and a number over its number, without allocating: the row readers' way.
    void LeValor(int coluna, bool texto, QVariant& destino) const;
    // A function argument as Valor or LeValor would read it from a column.
    static QVariant ValorDe(sqlite3_value* valor, bool texto);
    static void LeValorDe(sqlite3_value* valor, bool texto, QVariant& destino);
    [[nodiscard]] bool Nulo(int coluna) const;
    [[nodiscard]] QString NomeColuna(int coluna) const;
    [[nodiscard]] QString TipoDeclarado(int coluna) const;   // empty for an expression
    [[nodiscard]] bool SomenteLeitura() const;               // the statement does not write
    [[nodiscard]] const QString& Sql() const { return FSql; }
    // The text of the one statement SQLite compiled from Sql, without what followed it.
    [[nodiscard]] QString Instrucao() const;

    // Free for the owner: tells which set of values it bound last, so that values that stay
    // bound across a reset are not bound again (0: none known).
    [[nodiscard]] quint64 Marca() const { return FMarca; }
    void SetMarca(quint64 marca) { FMarca = marca; }

    // Counts, on this thread, the statements made, stepped, reset or finalised: code that hands
    // control to a caller's function tells by it whether that function used the database.
    [[nodiscard]] static quint64 Atividade() { return FAtividade; }
    // Counts, on this thread, the steps of SQLite's machine in every statement stepped: the
    // engine's work, the same on any computer, by which a test tells whether an action's work
    // grows with the data.
    [[nodiscard]] static quint64 PassosMotor() { return FPassosMotor; }
    // Counts, on this thread, the statements prepared: what a walk set up again costs beyond its
    // steps.
    [[nodiscard]] static quint64 Preparados() { return FPreparados; }
    // While set, the text of every statement stepped on this thread goes into Destino (nullptr:
    // nowhere), so that a test can ask SQLite how it plans each one.
    static void AnotaInstrucoes(QSet<QString>* Destino) { FAnotadas = Destino; }

private:
    [[noreturn]] void Falha(int codigo) const;
    // With the UTF-8 kept in Guarda, read in place until the position is bound again.
    void LigaTexto(int posicao, const QString& texto, std::string& Guarda);
    void LigaTextoCopiado(int posicao, const QString& texto);   // SQLite keeps a copy of its own

    // Inline: a filtered walk reads it twice on every row it asks its filters about.
    static inline thread_local quint64 FAtividade = 0;
    static inline thread_local quint64 FPassosMotor = 0;
    static inline thread_local quint64 FPreparados = 0;
    static inline thread_local QSet<QString>* FAnotadas = nullptr;

    sqlite3* FConexao;
    sqlite3_stmt* FComando = nullptr;
    QString FSql;
    quint64 FMarca = 0;
    // The UTF-8 of the text bound at each position, read by SQLite in place.
    std::vector<std::string> FGuardas;
};
