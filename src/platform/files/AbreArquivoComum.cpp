#include "platform/files/AbreArquivoComum.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files/TMotivoSistema.h"

namespace {

// The error number that tells what stands under a name that is not a regular file.
int ErroDoTipo(mode_t modo)
{
    if (S_ISDIR(modo))
        return EISDIR;
    if (S_ISLNK(modo))
        return ELOOP;
    return TMotivoSistema::ArquivoEspecial;
}

}   // namespace

int AbreArquivoComum(const QByteArray& caminho, int abertura, mode_t permissoes)
{
    // Looked at first, so that a device is never opened (opening some of them acts) and a fifo
    // never truncated; the descriptor is looked at again, as the name may change in between.
    struct stat antes {};
    if (::lstat(caminho.constData(), &antes) == 0 && !S_ISREG(antes.st_mode)) {
        errno = ErroDoTipo(antes.st_mode);
        return -1;
    }
    const int descritor = ::open(caminho.constData(), abertura | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, permissoes);
    if (descritor < 0) {
        const int erro = errno;
        struct stat depois {};
        errno = ::lstat(caminho.constData(), &depois) == 0 && !S_ISREG(depois.st_mode) ? ErroDoTipo(depois.st_mode)
                                                                                       : erro;
        return -1;
    }
    struct stat aberto {};
    const bool visto = ::fstat(descritor, &aberto) == 0;
    if (!visto || !S_ISREG(aberto.st_mode)) {
        const int erro = visto ? ErroDoTipo(aberto.st_mode) : errno;
        ::close(descritor);
        errno = erro;
        return -1;
    }
    if (const int estado = ::fcntl(descritor, F_GETFL); estado >= 0)
        ::fcntl(descritor, F_SETFL, estado & ~O_NONBLOCK);
    return descritor;
}

bool AbreLeituraComum(QFile& arquivo, QString& erro)
{
    const int descritor = AbreArquivoComum(QFile::encodeName(arquivo.fileName()), O_RDONLY);
    if (descritor < 0) {
        erro = TMotivoSistema::Texto(errno);
        return false;
    }
    if (!arquivo.open(descritor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        erro = TMotivoSistema::Texto(errno);
        ::close(descritor);
        return false;
    }
    return true;
}
