#pragma once
#include <QByteArray>
#include <QStringList>
#include <QString>
#include <functional>

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
// moves ("." + name + ".marca") and goes last, so that Recupera can ask the caller which of the
// two files a process that ended between Coloca and Confirma left recorded. A file is deleted
// only when the caller answers so; when it answers to keep both, the earlier one gets a name a
// person sees (name + ".anterior", then ".anterior-2" and on).
//
// Where the caller must tell a substitution it confirmed from one it never did, the mark goes
// down with a companion ("." + name + ".pendente") that Confirma removes before anything else:
// a mark with its companion was never confirmed, unless the confirmation was recorded in the
// caller's folder of confirmations (TConfirmacoes), which Confirma does when the companion cannot
// go (a medium that stopped taking removals), and Recupera when the caller's decision shows the
// substitution was confirmed but the mark cannot go.
class TSubstituicao final {
public:
    // novo: a complete file in the same folder as destino, which takes its place; marca, when
    // not empty, what Recupera hands back to decide between the two; pendente: the mark has its
    // companion until Confirma; confirmacoes: where a confirmation is recorded that the
    // companion's removal could not record.
    TSubstituicao(QString novo, QString destino, QByteArray marca = {}, bool pendente = false,
                  QString confirmacoes = {});
    ~TSubstituicao();   // Desfaz unless confirmed
    TSubstituicao(const TSubstituicao&) = delete;
    TSubstituicao& operator=(const TSubstituicao&) = delete;

    // The earlier file aside and the new one at destino. False with the reason in erro
    // when a step failed: destino then holds what it held (or, when even that could not be put
    // back, the earlier file waits aside for Recupera) and the new file is still there.
    bool Coloca(QString& erro);
    // The new file stays; the mark's companion is removed, then the earlier file, then the mark
    // (each removal tried again once). False with the reason in erro when any still stands: a
    // mark then stays beside the earlier one, for Recupera to decide once the record is read; a
    // companion that could not go has the confirmation recorded in the folder of confirmations,
    // or, where it cannot be, the mark removed at once, so that no mark stays that says the
    // substitution was never confirmed; where even that fails, NaoRegistrada says why.
    [[nodiscard]] bool Confirma(QString& erro);
    // Why the last Confirma could keep its confirmation nowhere (the companion, the folder of
    // confirmations and the mark all refused): the place then reads as never confirmed until
    // Recupera is told otherwise. Empty when it was kept.
    [[nodiscard]] const QString& NaoRegistrada() const { return FNaoRegistrada; }
    // Takes back what is not confirmed: the new file removed, the earlier one back at destino.
    // False when the earlier one could not be renamed back: it then stays aside, alone, and
    // destino is left empty for Recupera to put it back.
    bool Desfaz();

    // What a process that ended midway left at a place whose new file is there.
    struct TSobra {
        enum class TMarca { Nenhuma, Lida, Ilegivel };
        QString Destino;   // the place, holding a file
        QString Aparte;    // the earlier file kept aside; empty when there is none
        TMarca EstadoMarca = TMarca::Nenhuma;
        QByteArray Marca;        // its bytes, when read
        bool Pendente = false;   // the mark's companion is there, and no confirmation recorded
    };
    enum class TDestino {
        FicaNovo,        // the earlier file goes
        VoltaAnterior,   // the earlier file goes back to its place over the new one (none: the place emptied)
        FicamAmbos,      // nothing goes: the earlier one is shown under a name a person sees
        Espera,          // left as it is for a later call
    };
    using Decisao = std::function<TDestino(const TSobra& sobra)>;
    // Puts back what processes that ended midway left in pasta, for the places whose names nosso
    // accepts (all when it is empty): an earlier file aside goes back to its place when nothing
    // took it; when something is at the place, decide answers (without it the new one stays), and
    // the mark and its companion go once its answer is carried out; a companion alone goes. A
    // file aside that a running process holds is left alone, and so is one that is a special file
    // (a fifo, a socket, a device: never the earlier file), its place and mark with it, its path
    // got in especiais. How many places were dealt with; the names the earlier files kept got in
    // expostos. confirmacoes: the folder of confirmations recorded (see above); a confirmation
    // that cannot be read counts as recorded, and one whose mark is gone goes.
    static int Recupera(const QString& pasta, const std::function<bool(const QString& nome)>& nosso = {},
                        const Decisao& decide = {}, QStringList* expostos = nullptr, const QString& confirmacoes = {},
                        QStringList* especiais = nullptr);
    // The name a file of that place has while it is kept aside, that of its mark and that of the
    // mark's companion.
    [[nodiscard]] static QString NomeAparte(const QString& destino);
    [[nodiscard]] static QString NomeMarca(const QString& destino);
    [[nodiscard]] static QString NomePendente(const QString& destino);

private:
    void Solta();
    void TiraMarca();

    QString FNovo;
    QString FDestino;
    QByteArray FMarca;
    QString FConfirmacoes;
    QString FNaoRegistrada;
    bool FPendente = false;          // the mark goes down with its companion
    bool FMarcado = false;           // the mark is on disk
    bool FPendenteNoDisco = false;   // its companion is
    QString FAparte;                 // empty while no earlier file is aside
    int FTrava = -1;                 // the earlier file, locked while it is aside
    bool FColocado = false;
    bool FConfirmado = false;
};
