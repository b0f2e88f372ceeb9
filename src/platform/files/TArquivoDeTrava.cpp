#include "platform/files/TArquivoDeTrava.h"

#include <QFile>
#include <QSysInfo>
#include <QtGlobal>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files/EscreveTudo.h"

namespace {

// Writes the whole of texto at the start of the file, cutting what was there, and syncs it.
bool EscreveConteudo(int descritor, const QByteArray& texto)
{
    return ::ftruncate(descritor, 0) == 0 && ::lseek(descritor, 0, SEEK_SET) == 0
        && EscreveTudo(descritor, texto.constData(), texto.size()) && ::fsync(descritor) == 0;
}

// The file for the lock: read-write (made when missing), or read-only when it is there but this
// user may not write it; -1 with errno set when neither.
int Abre(const QByteArray& caminho, bool& somenteLeitura)
{
    somenteLeitura = false;
    const int descritor = ::open(caminho.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (descritor >= 0 || (errno != EACCES && errno != EPERM && errno != EROFS))
        return descritor;
    const int erro = errno;
    const int leitura = ::open(caminho.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (leitura < 0) {
        errno = errno == ENOENT ? erro : errno;   // not there, and not to be made: the first reason
        return -1;
    }
    somenteLeitura = true;
    return leitura;
}

}   // namespace

TArquivoDeTrava::TArquivoDeTrava(QString caminho, QString rotulo)
    : FCaminho(QFile::encodeName(caminho))
    , FRotulo(std::move(rotulo))
    , FDono(::getuid())
{}

TArquivoDeTrava::~TArquivoDeTrava()
{
    if (FDescritor < 0)
        return;
    // Removed while still locked: a process that opened it meanwhile finds it gone and tries
    // again. A file that cannot be removed is taken over by the next process all the same.
    ::unlink(FCaminho.constData());
    ::close(FDescritor);
}

TArquivoDeTrava::TResultado TArquivoDeTrava::Trava()
{
    if (FDescritor >= 0)
        return TResultado::Travado;
    FErro = 0;
    FDono = ::getuid();
    // The file locked must still be the one the name gives: a holder that was ending may have
    // removed it between the open and the lock.
    for (int vez = 0; vez < 10; ++vez) {
        bool somenteLeitura = false;
        const int descritor = Abre(FCaminho, somenteLeitura);
        if (descritor < 0) {
            FErro = errno;
            return TResultado::Impossivel;
        }
        struct stat aberto {};
        const bool conhecido = ::fstat(descritor, &aberto) == 0;
        if (::flock(descritor, LOCK_EX | LOCK_NB) != 0) {
            FErro = errno;
            ::close(descritor);
            if (FErro != EWOULDBLOCK)
                return TResultado::Impossivel;
            if (conhecido)
                FDono = aberto.st_uid;
            FErro = 0;
            return TResultado::EmUso;
        }
        struct stat nomeado {};
        if (!conhecido || ::stat(FCaminho.constData(), &nomeado) != 0 || aberto.st_ino != nomeado.st_ino
            || aberto.st_dev != nomeado.st_dev) {
            ::close(descritor);
            continue;
        }
        FDescritor = descritor;
        if (somenteLeitura)
            return TResultado::Travado;
        const QByteArray conteudo = QByteArray::number(::getpid()) + '\n' + FRotulo.toUtf8() + '\n'
            + QSysInfo::machineHostName().toUtf8() + '\n';
        if (!EscreveConteudo(FDescritor, conteudo))
            qWarning("the lock %s holds, but its content could not be written", FCaminho.constData());
        return TResultado::Travado;
    }
    FErro = EAGAIN;
    return TResultado::Impossivel;
}
