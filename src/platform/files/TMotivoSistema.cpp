#include "platform/files/TMotivoSistema.h"

#include <cerrno>
#include <cstring>

QString TMotivoSistema::Texto(int erro)
{
    switch (erro) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("o disco está cheio");
    case EROFS:
        return QStringLiteral("o disco não permite gravação");
    case EACCES:
    case EPERM:
        return QStringLiteral("o acesso à pasta ou ao arquivo foi negado");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("a pasta não existe");
    case EISDIR:
        return QStringLiteral("há uma pasta com o nome do arquivo");
    case 0:
    case EIO:
        return QStringLiteral("houve um erro de leitura ou gravação no disco");
    default:
        return QString::fromLocal8Bit(std::strerror(erro));
    }
}
