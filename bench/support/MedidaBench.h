#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <chrono>
#include <utility>
#include <vector>

namespace benchmark {
class State;
}
struct sqlite3;

// What every benchmark of a large declaration reports beside its own figure: a floor measured in
// the same run on the same rows and schema, the ratio of the two, and the peak resident memory of
// the project's work above what the process held before it.
namespace MedidaBench {

// Resident memory in KiB from the process status (Linux): "VmHWM" the peak since the last
// ZeraPico, "VmRSS" the present; -1 when it cannot be read.
qint64 MemoriaKiB(const char* Campo);
void ZeraPico();

// Wall-clock seconds since construction.
class TCronometro {
public:
    [[nodiscard]] double Segundos() const
    {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - FInicio).count();
    }

private:
    std::chrono::steady_clock::time_point FInicio = std::chrono::steady_clock::now();
};

// Gives a floor's own connection a collation of names under the program's name, written for the
// floor: a byte-wise fold, never the program's comparison, whose cost must show in the ratio.
void RegistraColacaoPiso(sqlite3* Conexao);

// The number's last seven digits in syllables, one per digit: a name of its own for each
// beneficiary, with no digits nor a letter thrice in a row.
QString Letras(int Numero);

// Counters "projeto_s", "piso_s", "razao" (project / floor), "pico_MiB" and "itens/s".
void Relata(benchmark::State& Estado, int Itens, double ProjetoS, double PisoS, qint64 PicoKiB);

// The rows of some tables of a database file, read once and held in memory, so that inserting
// them again is a floor of what storing them costs: each table made anew in a new file from the
// same CREATE statements (table and indexes), or found in a copy of a database file, then every
// row bound to one prepared INSERT, all in one transaction committed with synchronous=FULL.
class TLinhasGuardadas {
public:
    // Each table with the condition that picks its rows (empty: every row), in which ?1 is Chave.
    TLinhasGuardadas(const QString& Banco, const std::vector<std::pair<QString, QString>>& TabelasOnde,
                     const QString& Chave);
    // Stores every row into a new file Destino (replaced); the seconds of the inserts and commit.
    // With Origem, Destino starts as a copy of that database file, whose tables (and whatever rows
    // they hold) take the rows, as the program's own file does.
    [[nodiscard]] double InsereEm(const QString& Destino, const QString& Origem = QString()) const;
    [[nodiscard]] qint64 Linhas() const;

private:
    struct TTabela {
        QByteArray Nome;
        std::vector<QByteArray> Esquema;   // CREATE TABLE, then CREATE INDEX
        int Colunas = 0;
        qint64 Linhas = 0;
        QByteArray Valores;   // per value: a type byte, then 8 bytes or a length and the bytes
    };
    std::vector<TTabela> FTabelas;
};

}   // namespace MedidaBench
