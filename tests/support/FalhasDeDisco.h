#pragma once

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
    int Antes = 0;                 // operations let through before the one that fails
    unsigned Tipos = Todas;        // the kinds counted
    bool Permanente = false;       // every later operation fails too
    bool DiscoCheio = false;       // a write fails as SQLITE_FULL rather than SQLITE_IOERR
};
void Arma(const Falha& falha);
void Desarma();
[[nodiscard]] bool Disparou();   // a failure was given since the last Arma

// Disarms on leaving the scope, so that a failed assertion leaves no fault armed.
class Armada {
public:
    explicit Armada(const Falha& falha) { Arma(falha); }
    ~Armada() { Desarma(); }
    Armada(const Armada&) = delete;
    Armada& operator=(const Armada&) = delete;
};

}  // namespace FalhasDeDisco
