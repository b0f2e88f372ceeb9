#include "platform/files/PermissoesNovas.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files/AbreArquivoComum.h"

namespace {

mode_t BitsDaPasta(const QByteArray& pasta)
{
    struct stat st {};
    return ::stat(pasta.constData(), &st) == 0 ? st.st_mode & 0077 : 0;
}

}   // namespace

mode_t PermissoesDeArquivoNovo(const QByteArray& pasta)
{
    return 0600 | (BitsDaPasta(pasta) & 0066);
}

mode_t PermissoesDePastaNova(const QByteArray& pasta)
{
    return 0700 | BitsDaPasta(pasta);
}

bool CriaArquivoVazio(const QByteArray& caminho)
{
    const QByteArray pasta = QFile::encodeName(QFileInfo(QFile::decodeName(caminho)).absolutePath());
    int descritor = AbreArquivoComum(caminho, O_RDONLY);
    if (descritor < 0 && errno == ENOENT) {
        descritor = AbreArquivoComum(caminho, O_WRONLY | O_CREAT | O_EXCL, PermissoesDeArquivoNovo(pasta));
        if (descritor < 0 && errno == EEXIST)   // made meanwhile by someone else
            descritor = AbreArquivoComum(caminho, O_RDONLY);
    }
    if (descritor < 0)
        return false;
    ::close(descritor);
    return true;
}
