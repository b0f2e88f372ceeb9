#pragma once
#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

// A new file that takes the place of an earlier one only for good once the caller confirms it:
// Coloca renames the earlier file aside ("." + name + ".anterior", under an exclusive lock while
// this object holds it) and the new one over the place, Confirma lets the earlier one go. Until
// then Desfaz, and the destructor, put everything back: the earlier file at its place byte for
// byte (or no file, when there was none) and the new one removed. A process that ended midway
// leaves the earlier file aside, and Recupera brings it back. Renames pass through
// TFalhasDeArquivo. One place at a time per object.
//
// Where the new file counts only once something else is recorded (a database commit after
// Coloca), the caller gives a mark that names it: it is written beside the place before anything
// moves ("." + name + ".marca") and goes last, so that Recupera can ask the caller whether a
// process that ended between Coloca and Confirma had recorded the new file.
class TSubstituicao final {
public:
    // novo: a complete file in the same folder as destino, which takes its place; marca, when
    // not empty, what Recupera hands back to decide between the two.
    TSubstituicao(QString novo, QString destino, QByteArray marca = {});
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

    // Whether the new file at a place had been recorded, given its mark: true keeps it, false
    // puts the earlier one back, no answer (the record cannot be read now) leaves both as they
    // are for a later call.
    using Decisao = std::function<std::optional<bool>(const QByteArray& marca)>;
    // Puts back what processes that ended midway left aside in pasta, for the places whose
    // names nosso accepts (all when it is empty): the earlier file goes back to its place when
    // nothing took it; when its replacement is there, decide answers for a place with a mark, and
    // without one the replacement stays. A file aside that a running process holds is left
    // alone. How many were dealt with.
    static int Recupera(const QString& pasta, const std::function<bool(const QString& nome)>& nosso = {},
                        const Decisao& decide = {});
    // The name a file of that place has while it is kept aside, and that of its mark.
    [[nodiscard]] static QString NomeAparte(const QString& destino);
    [[nodiscard]] static QString NomeMarca(const QString& destino);

private:
    void Solta();
    void TiraMarca();

    QString FNovo;
    QString FDestino;
    QByteArray FMarca;
    bool FMarcado = false;   // the mark is on disk
    QString FAparte;         // empty while no earlier file is aside
    int FTrava = -1;         // the earlier file, locked while it is aside
    bool FColocado = false;
    bool FConfirmado = false;
};
