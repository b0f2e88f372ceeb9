#pragma once
#include <QString>

// Keeps one program folder (its database, settings and backups) to one running copy, whatever
// the login or session that started it: an exclusive lock on a file in the folder itself, held
// while the object lives. The system lets the lock go with the process that held it, so a lock
// file that no running copy holds is taken over whatever it holds (left empty by a start killed
// before writing it, or cut by a power failure); the holder's number and machine are written into
// it, synced, for a person to read.
class TPastaEmUso final {
public:
    static QString NomeArquivo();   // "pruv2003.lock"

    explicit TPastaEmUso(QString pasta);
    ~TPastaEmUso();   // lets the folder go and removes the file
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
    int FDescritor = -1;   // the lock file, locked, while this copy holds the folder
};
