#include "platform/files/TArquivoDeTrava.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSysInfo>
#include <QtGlobal>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files/AbreArquivoComum.h"
#include "platform/files/EscreveTudo.h"
#include "platform/files/PermissoesNovas.h"

namespace {

// Writes the whole of texto at the start of the file, cutting what was there, and syncs it.
bool EscreveConteudo(int descritor, const QByteArray& texto)
{
    return ::ftruncate(descritor, 0) == 0 && ::lseek(descritor, 0, SEEK_SET) == 0
        && EscreveTudo(descritor, texto.constData(), texto.size()) && ::fsync(descritor) == 0;
}

// The mode the lock file needs: whoever the folder lets read or write may read or write it, so
// that every user of the folder can lock it (a lock needs only a descriptor) and write their
// words into it when they take it over. Unlike the data, whatever the umask: it holds no data.
mode_t ModoParaAPasta(const QByteArray& caminho)
{
    return PermissoesDeArquivoNovo(QFile::encodeName(QFileInfo(QFile::decodeName(caminho)).absolutePath()));
}

// The file for the lock: read-write (made when missing), or read-only when it is there but this
// user may not write it; -1 with errno set when neither.
int Abre(const QByteArray& caminho, bool& somenteLeitura)
{
    somenteLeitura = false;
    const int descritor = AbreArquivoComum(caminho, O_RDWR | O_CREAT, 0600);
    if (descritor >= 0) {
        // Made under this user's umask, which may keep the folder's other users from locking it.
        struct stat st {};
        const mode_t modo = ModoParaAPasta(caminho);
        if (::fstat(descritor, &st) == 0 && st.st_uid == ::geteuid() && (st.st_mode & 07777) != modo
            && ::fchmod(descritor, modo) != 0)
            qWarning("the lock %s may not be lockable by other users of its folder", caminho.constData());
        return descritor;
    }
    if (errno != EACCES && errno != EPERM && errno != EROFS)
        return -1;
    const int erro = errno;
    const int leitura = AbreArquivoComum(caminho, O_RDONLY);
    if (leitura < 0) {
        errno = errno == ENOENT ? erro : errno;   // not there, and not to be made: the first reason
        return -1;
    }
    somenteLeitura = true;
    return leitura;
}

bool ProcessoVivo(qint64 processo)
{
    return processo > 0 && (::kill(static_cast<pid_t>(processo), 0) == 0 || errno == EPERM);
}

// Who holds the file, from the words its holder wrote ("pid", label, machine, user id): trusted
// only while the process they name runs, or when it runs on another machine. Words of the
// earlier format (no user id) name the file's owner.
std::optional<uid_t> DonoEscrito(int descritor, const struct stat& arquivo)
{
    char texto[1024];
    const ssize_t lidos = ::pread(descritor, texto, sizeof texto, 0);
    if (lidos <= 0)
        return std::nullopt;
    const QList<QByteArray> linhas = QByteArray(texto, lidos).split('\n');
    if (linhas.size() < 4)
        return std::nullopt;
    bool numero = false;
    const qint64 processo = linhas[0].toLongLong(&numero);
    if (!numero)
        return std::nullopt;
    const bool aqui = linhas[2] == QSysInfo::machineHostName().toUtf8();
    if (aqui && !ProcessoVivo(processo))
        return std::nullopt;
    if (linhas.size() == 4)   // three lines and the final line end: the earlier format
        return aqui ? std::optional<uid_t>(arquivo.st_uid) : std::nullopt;
    bool usuario = false;
    const uint dono = linhas[3].toUInt(&usuario);
    return usuario ? std::optional<uid_t>(static_cast<uid_t>(dono)) : std::nullopt;
}

}   // namespace

TArquivoDeTrava::TArquivoDeTrava(QString caminho, QString rotulo)
    : FCaminho(QFile::encodeName(caminho))
    , FRotulo(std::move(rotulo))
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
    FDono.reset();
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
            if (FErro != EWOULDBLOCK) {
                ::close(descritor);
                return TResultado::Impossivel;
            }
            if (conhecido)
                FDono = DonoEscrito(descritor, aberto);
            ::close(descritor);
            FErro = 0;
            return TResultado::EmUso;
        }
        struct stat nomeado {};
        if (!conhecido || ::lstat(FCaminho.constData(), &nomeado) != 0 || aberto.st_ino != nomeado.st_ino
            || aberto.st_dev != nomeado.st_dev) {
            ::close(descritor);
            continue;
        }
        FDescritor = descritor;
        if (somenteLeitura)
            return TResultado::Travado;
        const QByteArray conteudo = QByteArray::number(::getpid()) + '\n' + FRotulo.toUtf8() + '\n'
            + QSysInfo::machineHostName().toUtf8() + '\n' + QByteArray::number(::geteuid()) + '\n';
        if (!EscreveConteudo(FDescritor, conteudo))
            qWarning("the lock %s holds, but its content could not be written", FCaminho.constData());
        return TResultado::Travado;
    }
    FErro = EAGAIN;
    return TResultado::Impossivel;
}
