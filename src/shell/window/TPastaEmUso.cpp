#include "shell/window/TPastaEmUso.h"

#include <QDir>
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

}   // namespace

QString TPastaEmUso::NomeArquivo()
{
    return QStringLiteral("pruv2003.lock");
}

TPastaEmUso::TPastaEmUso(QString pasta)
    : FPasta(std::move(pasta))
{}

TPastaEmUso::~TPastaEmUso()
{
    if (FDescritor < 0)
        return;
    // Removed while still locked: a copy that opened it meanwhile finds it gone and tries again.
    // A file that cannot be removed is taken over by the next copy all the same.
    ::unlink(QFile::encodeName(FPasta + QLatin1Char('/') + NomeArquivo()).constData());
    ::close(FDescritor);
}

bool TPastaEmUso::Trava()
{
    QDir().mkpath(FPasta);
    const QByteArray caminho = QFile::encodeName(FPasta + QLatin1Char('/') + NomeArquivo());
    // The file locked must still be the one the name gives: a copy that was ending may have
    // removed it between the open and the lock.
    for (int vez = 0; vez < 10; ++vez) {
        const int descritor = ::open(caminho.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (descritor < 0) {
            qWarning("cannot lock the program folder %s; starting without the lock", qUtf8Printable(FPasta));
            return true;
        }
        if (::flock(descritor, LOCK_EX | LOCK_NB) != 0) {
            const int erro = errno;
            ::close(descritor);
            if (erro == EWOULDBLOCK)
                return false;
            qWarning("cannot lock the program folder %s; starting without the lock", qUtf8Printable(FPasta));
            return true;
        }
        struct stat aberto {
        }, nomeado{};
        if (::fstat(descritor, &aberto) != 0 || ::stat(caminho.constData(), &nomeado) != 0
            || aberto.st_ino != nomeado.st_ino || aberto.st_dev != nomeado.st_dev) {
            ::close(descritor);
            continue;
        }
        FDescritor = descritor;
        // Only for a person who finds the file: the lock itself is what keeps a second copy out.
        const QByteArray conteudo = QByteArray::number(::getpid()) + "\nPruv 2003\n"
            + QSysInfo::machineHostName().toUtf8() + '\n';
        if (!EscreveConteudo(FDescritor, conteudo))
            qWarning("the lock of the program folder %s holds, but its content could not be written",
                     qUtf8Printable(FPasta));
        return true;
    }
    qWarning("cannot lock the program folder %s; starting without the lock", qUtf8Printable(FPasta));
    return true;
}

QString TPastaEmUso::MensagemEmUso() const
{
    return QStringLiteral("A pasta do programa ") + QDir::toNativeSeparators(FPasta)
        + QStringLiteral(" está em uso por outra cópia do Pruv 2003, aberta por outro usuário ou em outra sessão. "
                         "Feche aquela cópia antes de iniciar esta. O programa será finalizado.");
}
