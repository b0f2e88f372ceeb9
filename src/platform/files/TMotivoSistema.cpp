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
    case ELOOP:
        // Every name the program opens itself is opened without following a link.
        return QStringLiteral("há um atalho (link) com o nome do arquivo, e o programa não o segue");
    case ArquivoEspecial:
        return QStringLiteral("há um arquivo especial (fila, soquete ou dispositivo) com o nome do arquivo");
    case 0:
    case EIO:
        return QStringLiteral("houve um erro de leitura ou gravação no disco");
    case EBUSY:
    case ETXTBSY:
    case EWOULDBLOCK:
        return QStringLiteral("o arquivo está em uso por outro programa");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("há arquivos abertos demais no sistema");
    case ENAMETOOLONG:
        return QStringLiteral("o nome do arquivo é longo demais");
    case ENOMEM:
        return QStringLiteral("não há memória suficiente");
    default:
        // The system's own words are English; the user reads the number, the log the words.
        qWarning("system error %d: %s", erro, std::strerror(erro));
        return QStringLiteral("o sistema recusou a operação (erro %1)").arg(erro);
    }
}
