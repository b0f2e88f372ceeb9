#pragma once
#include "support/ArmadaNoEscopo.h"
#include <QString>
#include <exception>
#include <functional>
#include <gtest/gtest.h>

// Fault layer at SQLite's file layer, for tests: a VFS over the default one, installed as the
// default by the test mains, so that every connection passes through it. Armed, it fails the
// k-th write, sync or truncate of a database or its journal, or the k-th file deletion, as a
// failing or full disk would, once (a transient fault) or from then on. Disarmed it only
// passes the calls on.
namespace FalhasDeDisco {

enum Operacao : unsigned {
    Escrita = 1,
    Sincronia = 2,
    Truncagem = 4,
    Remocao = 8,
    Todas = Escrita | Sincronia | Truncagem | Remocao,
};

void Instala();   // once, before any connection; later calls do nothing

struct Falha {
    int Antes = 0;             // operations let through before the one that fails
    unsigned Tipos = Todas;    // the kinds counted
    bool Permanente = false;   // every later operation fails too
    bool DiscoCheio = false;   // a write fails as SQLITE_FULL rather than SQLITE_IOERR
};
void Arma(const Falha& falha);
void Desarma();
[[nodiscard]] bool Disparou();   // a failure was given since the last Arma

// Disarms on leaving the scope, so that a failed assertion leaves no fault armed.
using Armada = TArmadaNoEscopo<Falha, &Arma, &Desarma>;

// Hands the decision on every counted operation to another layer (FalhasDeArquivo counts the
// database's operations and the file calls in one sequence), in place of Arma's own count. An
// empty function removes it.
enum class Decisao { Passa, ErroES, DiscoCheio };
using Gancho = std::function<Decisao(Operacao)>;
void Encadeia(Gancho gancho);

// Every table of the database file with its rows, in a stable order, read through a connection
// of its own: two states compare as texts. Empty when the file cannot be read.
[[nodiscard]] QString Conteudo(const QString& arquivo);

// Runs `acao` with a fault of the disk at its first operation of the kinds, then at its second,
// and so on, until a run gets past them all and succeeds; writes fail in turn as an I/O error and
// as a full disk. Each run that failed must have raised, and `confere(k)` then checks that it left
// everything as it was. Returns the number of runs that failed.
template <typename Acao, typename Confere> int PorCadaOperacao(unsigned Tipos, Acao&& acao, Confere&& confere)
{
    for (int k = 0;; ++k) {
        SCOPED_TRACE(k);
        bool falhou = false;
        bool disparou = false;
        {
            Armada armada({k, Tipos, false, k % 2 == 1});
            try {
                acao();
            } catch (const std::exception&) {
                falhou = true;   // the check below is what counts
            }
            disparou = Disparou();
        }
        if (!disparou) {
            EXPECT_FALSE(falhou) << "failed with no fault left";
            return k;
        }
        if (!falhou) {
            ADD_FAILURE() << "a fault of the disk went unreported";
            return k;
        }
        confere(k);
        if (::testing::Test::HasFailure())
            return k;
    }
}

}   // namespace FalhasDeDisco
