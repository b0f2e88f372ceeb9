#pragma once
#include <QByteArray>
#include <QString>
#include <optional>
#include <sys/types.h>

// An exclusive lock on a file, held while the object lives, that keeps a second process out of
// what the file stands for. The system lets the lock go with the process that held it, so a file
// that no running process holds is taken over whatever it holds (left empty by a start killed
// before writing it, garbled, naming another machine or a process long gone). The holder's
// number, Rotulo, machine and user are written into it, synced, for a person and a later start
// to read: only the lock keeps a second process out. The file this object makes is left readable
// and writable by everyone the folder lets in (its group and other bits), whatever the umask, so
// that each of them can lock it. A file that this user may only read (made by another user) is
// locked through a read-only descriptor all the same, and then keeps its words. Anything but a
// regular file under the name (a fifo, a folder, a link) is refused without waiting on it.
class TArquivoDeTrava final {
public:
    enum class TResultado {
        Travado,      // this object now holds the file
        EmUso,        // another running process holds it
        Impossivel,   // no lock could be taken (the file cannot be made or opened, or takes no lock)
    };

    TArquivoDeTrava(QString caminho, QString rotulo);
    ~TArquivoDeTrava();   // removes the file while still holding it, then lets it go
    TArquivoDeTrava(const TArquivoDeTrava&) = delete;
    TArquivoDeTrava& operator=(const TArquivoDeTrava&) = delete;

    TResultado Trava();

    // The system's error number of the last Impossivel (TMotivoSistema tells it).
    [[nodiscard]] int Erro() const { return FErro; }
    // The user whose process holds the file found in use, as its holder wrote it; none where that
    // cannot be known: words left by a process that has ended (its successor locked the file
    // without being able to write it), or none that can be read.
    [[nodiscard]] std::optional<uid_t> Dono() const { return FDono; }

private:
    QByteArray FCaminho;
    QString FRotulo;
    int FDescritor = -1;   // the file, locked, while this object holds it
    int FErro = 0;
    std::optional<uid_t> FDono;
};
