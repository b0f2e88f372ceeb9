#pragma once
#include "support/ArmadaNoEscopo.h"
#include <QMap>
#include <QString>
#include <functional>
#include <vector>

#include "platform/files/TFalhasDeArquivo.h"

// Fault layer at the file calls, for tests. It counts the calls of the chosen kinds on files
// under the program folder of the running case, at the chosen layers in one sequence, and fails
// the k-th as an I/O error or a full disk (once, or from then on), or ends the process right
// there as a kill would (only ever armed in a child process, see MataNa). The layers:
//  - Programa: the program's own file calls, through TFalhasDeArquivo;
//  - Biblioteca: the C library's calls themselves (write, pwrite, writev, read, pread, fsync,
//    fdatasync, ftruncate, rename, renameat, renameat2, linkat, unlink, unlinkat, remove), made by
//    anyone in the process:
//    what Qt writes for the program (the PDF engine, QSettings, QSaveFile) and SQLite too. The
//    test programs define these functions over the C library's (see FalhasDaBiblioteca.cpp);
//    the shipped program never does. The calls of other threads are neither counted nor failed.
//    Calls through stdio (fread, fwrite) are not reached;
//  - Banco: the database's own fault layer (FalhasDeDisco), its operations counted in the same
//    sequence (a journal's deletion counts as a truncation).
namespace FalhasDeArquivo {

enum class Efeito { ErroES, DiscoCheio, Morte };

enum Camada : unsigned { Programa = 1, Biblioteca = 2, Banco = 4 };

struct Falha {
    int Antes = 0;                                  // calls let through before the one that fails
    unsigned Operacoes = TFalhasDeArquivo::Todas;   // the kinds counted
    Efeito Tipo = Efeito::ErroES;
    bool Permanente = false;       // every later call of the kinds fails too
    unsigned Camadas = Programa;   // where the calls are counted
};
void Arma(const Falha& falha);
void Desarma();
[[nodiscard]] bool Disparou();       // a failure was given since the last Arma
[[nodiscard]] int Contadas();        // calls of the kinds counted since the last Arma
[[nodiscard]] QString Disparada();   // the first call failed since the last Arma: layer, kind, file

// Disarms on leaving the scope, so that a failed assertion leaves no fault armed.
using Armada = TArmadaNoEscopo<Falha, &Arma, &Desarma>;

// The calls of the kinds that acao makes, counted without failing any.
int Conta(unsigned operacoes, const std::function<void()>& acao, unsigned camadas = Programa);

// False where the C library's calls cannot be reached (another layer of the same functions, such
// as a sanitizer's, took their place): a guard at the Biblioteca layer then skips, and says so.
[[nodiscard]] bool BibliotecaAlcancada();

// The call positions a guard tries among n: every one when n is small or when the environment
// variable PRUV2003_FALHAS_TODAS is set (the long run); otherwise the first and last few and an
// even spread between them.
std::vector<int> Posicoes(int n);

// Runs acao in a child process that dies at its k-th call of the kinds, leaving the files as
// they are at that instant. True when the child died there; false when it got past every call.
bool MataNa(int k, unsigned operacoes, const std::function<void()>& acao, unsigned camadas = Programa);

// Every file under pasta, hidden ones too, by its path relative to pasta, with a hash of its
// bytes: two states compare as maps.
QMap<QString, QByteArray> Arquivos(const QString& pasta);

}   // namespace FalhasDeArquivo
