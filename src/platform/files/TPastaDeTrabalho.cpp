#include "platform/files/TPastaDeTrabalho.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

const QString TPastaDeTrabalho::NomeTrava = QStringLiteral(".dono");

namespace {

// A folder is given its lock within microseconds of being made; a minute is ample.
constexpr qint64 SegundosSemTrava = 60;

// The lock file opened and locked; -1 when it cannot be, with errno telling why.
int Trava(const QString& Arquivo, int Abertura)
{
    const int fd = ::open(QFile::encodeName(Arquivo).constData(), Abertura | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int erro = errno;
        ::close(fd);
        errno = erro;
        return -1;
    }
    return fd;
}

}   // namespace

TPastaDeTrabalho::TPastaDeTrabalho(const QString& Pai, const QString& Prefixo)
    : FPasta(Pai + QLatin1Char('/') + Prefixo + QStringLiteral("-XXXXXX"))
{
    if (FPasta.isValid())
        FTrava = Trava(FPasta.filePath(NomeTrava), O_RDWR | O_CREAT | O_EXCL);
}

TPastaDeTrabalho::~TPastaDeTrabalho()
{
    // The folder goes first (QTemporaryDir's own end), under the lock: no other copy can take
    // it for abandoned while it is being removed. What it holds goes before the lock file, so
    // that a process killed on the way leaves a folder whose free lock the next start sees.
    if (FTrava >= 0) {
        const QDir pasta(FPasta.path());
        for (const QFileInfo& item :
             pasta.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
            if (item.fileName() == NomeTrava)
                continue;
            if (item.isDir() && !item.isSymLink())
                QDir(item.filePath()).removeRecursively();
            else
                QFile::remove(item.filePath());
        }
    }
    FPasta.remove();
    if (FTrava >= 0)
        ::close(FTrava);
}

int TPastaDeTrabalho::RemoveAbandonadas(const QString& Pai, const QStringList& Prefixos)
{
    QStringList filtros;
    for (const QString& prefixo : Prefixos)
        filtros << prefixo + QStringLiteral("-*");
    int removidas = 0;
    const QFileInfoList pastas = QDir(Pai).entryInfoList(
        filtros, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo& pasta : pastas) {
        const int fd = Trava(pasta.filePath() + QLatin1Char('/') + NomeTrava, O_RDONLY);
        if (fd < 0) {
            if (errno != ENOENT)
                continue;   // held by a running copy, or not ours to judge
            const QDateTime feita = pasta.lastModified();
            if (feita.isValid() && feita.secsTo(QDateTime::currentDateTime()) < SegundosSemTrava)
                continue;
        }
        if (QDir(pasta.filePath()).removeRecursively())
            ++removidas;
        else
            qWarning("abandoned work folder %s not removed", qUtf8Printable(pasta.filePath()));
        if (fd >= 0)
            ::close(fd);
    }
    return removidas;
}
