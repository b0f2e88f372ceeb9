#pragma once
#include <QList>
#include <QString>

// A place the user can choose to write delivery files and backups on: the fixed base folder
// (in place of a hard-disk drive) or a mounted removable medium.
struct TVolume {
    enum class TTipo { Fixo, Removivel, CdRom };

    QString Raiz;   // absolute, "/" separators, no trailing separator
    QString Nome;   // as the lists show it: the medium's label, else its folder
    TTipo Tipo = TTipo::Fixo;

    [[nodiscard]] bool Removivel() const { return Tipo == TTipo::Removivel; }
    [[nodiscard]] bool CdRom() const { return Tipo == TTipo::CdRom; }
    bool operator==(const TVolume&) const = default;
};

// The volumes of this machine: the base folder first, then the removable media (CD and DVD
// included, marked as such) that are mounted and ready, in the order of their roots.
// Free space is TEspacoEmDisco::Livre of a volume's root.
class TVolumes final {
public:
    TVolumes() = delete;

    // The folder that stands for the fixed drive: the one given to DefinePastaBase, else the
    // program folder when PRUV2003_HOME sets it, else the user's home folder.
    static QString PastaBase();
    // An empty text goes back to the default.
    static void DefinePastaBase(const QString& pasta);

    static QList<TVolume> Lista();
    // The removable medium whose root holds `caminho`, else the base volume.
    static TVolume DoCaminho(const QString& caminho);

    // While one lives, the removable media are the ones it was given instead of the mounted
    // ones, so that tests choose what the machine has. Simulations nest; the innermost answers.
    class Simulacao final {
    public:
        explicit Simulacao(QList<TVolume> midias);
        ~Simulacao();
        Simulacao(const Simulacao&) = delete;
        Simulacao& operator=(const Simulacao&) = delete;

    private:
        const QList<TVolume>* FAnterior;
        QList<TVolume> FMidias;
    };
};
