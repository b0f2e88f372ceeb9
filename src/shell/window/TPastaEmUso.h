#pragma once
#include <QString>
#include <memory>

class QLockFile;

// Keeps one program folder (its database, settings and backups) to one running copy, whatever
// the login or session that started it: a lock file in the folder itself, held while the object
// lives. The lock of a copy that died without letting it go (killed, or its machine reset) is
// taken over.
class TPastaEmUso final {
public:
    static QString NomeArquivo();   // "pruv2003.lock"

    explicit TPastaEmUso(QString pasta);
    ~TPastaEmUso();
    TPastaEmUso(const TPastaEmUso&) = delete;
    TPastaEmUso& operator=(const TPastaEmUso&) = delete;

    // True when this copy now holds the folder, or when no lock can be made in it at all (a
    // folder that takes no writes, where two copies cannot undo each other's work); false when
    // another running copy holds it.
    bool Trava();
    // What a copy that finds the folder in use tells the user.
    [[nodiscard]] QString MensagemEmUso() const;

private:
    QString FPasta;
    std::unique_ptr<QLockFile> FTrava;
};
