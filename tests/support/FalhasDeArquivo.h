#pragma once
#include "support/ArmadaNoEscopo.h"
#include <QMap>
#include <QString>
#include <functional>
#include <vector>

#include "platform/files/TFalhasDeArquivo.h"

// Fault layer at the program's own file calls, for tests: armed through TFalhasDeArquivo, it
// counts the calls of the chosen kinds on files under the program folder of the running case and
// fails the k-th as an I/O error or a full disk (once, or from then on), or ends the process
// right there as a kill would (only ever armed in a child process, see MataNa).
namespace FalhasDeArquivo {

enum class Efeito { ErroES, DiscoCheio, Morte };

struct Falha {
    int Antes = 0;                                  // calls let through before the one that fails
    unsigned Operacoes = TFalhasDeArquivo::Todas;   // the kinds counted
    Efeito Tipo = Efeito::ErroES;
    bool Permanente = false;   // every later call of the kinds fails too
};
void Arma(const Falha& falha);
void Desarma();
[[nodiscard]] bool Disparou();   // a failure was given since the last Arma
[[nodiscard]] int Contadas();    // calls of the kinds counted since the last Arma

// Disarms on leaving the scope, so that a failed assertion leaves no fault armed.
using Armada = TArmadaNoEscopo<Falha, &Arma, &Desarma>;

// The calls of the kinds that acao makes, counted without failing any.
int Conta(unsigned operacoes, const std::function<void()>& acao);

// The call positions a guard tries among n: every one when n is small or when the environment
// variable PRUV2003_FALHAS_TODAS is set (the long run); otherwise the first and last few and an
// even spread between them.
std::vector<int> Posicoes(int n);

// Runs acao in a child process that dies at its k-th call of the kinds, leaving the files as
// they are at that instant. True when the child died there; false when it got past every call.
bool MataNa(int k, unsigned operacoes, const std::function<void()>& acao);

// Every file under pasta, hidden ones too, by its path relative to pasta, with a hash of its
// bytes: two states compare as maps.
QMap<QString, QByteArray> Arquivos(const QString& pasta);

}   // namespace FalhasDeArquivo
