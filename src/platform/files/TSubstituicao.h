#pragma once
#include <QString>
#include <functional>

// A new file that takes the place of an earlier one only for good once the caller confirms it:
// Coloca renames the earlier file aside ("." + name + ".anterior", under an exclusive lock while
// this object holds it) and the new one over the place, Confirma lets the earlier one go. Until
// then Desfaz, and the destructor, put everything back: the earlier file at its place byte for
// byte (or no file, when there was none) and the new one removed. A process that ended midway
// leaves the earlier file aside, and Recupera brings it back. Renames pass through
// TFalhasDeArquivo. One place at a time per object.
class TSubstituicao final {
public:
    // novo: a complete file in the same folder as destino, which takes its place.
    TSubstituicao(QString novo, QString destino);
    ~TSubstituicao();   // Desfaz unless confirmed
    TSubstituicao(const TSubstituicao&) = delete;
    TSubstituicao& operator=(const TSubstituicao&) = delete;

    // The earlier file aside and the new one at destino. False with the system's text in erro
    // when a step failed: destino then holds what it held (or, when even that could not be put
    // back, the earlier file waits aside for Recupera) and the new file is still there.
    bool Coloca(QString& erro);
    // The new file stays; the earlier one is removed.
    void Confirma();
    // Takes back what is not confirmed: the new file removed, the earlier one back at destino.
    // False when the earlier one could not be renamed back: it then stays aside, alone, and
    // destino is left empty for Recupera to put it back.
    bool Desfaz();

    // Puts back what processes that ended midway left aside in pasta, for the places whose
    // names nosso accepts (all when it is empty): the earlier file goes back to its place when
    // nothing took it, and is removed when its replacement is there. A file aside that a running
    // process holds is left alone. How many were dealt with.
    static int Recupera(const QString& pasta, const std::function<bool(const QString& nome)>& nosso = {});
    // The name a file of that place has while it is kept aside.
    [[nodiscard]] static QString NomeAparte(const QString& destino);

private:
    void Solta();

    QString FNovo;
    QString FDestino;
    QString FAparte;   // empty while no earlier file is aside
    int FTrava = -1;   // the earlier file, locked while it is aside
    bool FColocado = false;
    bool FConfirmado = false;
};
