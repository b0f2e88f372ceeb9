#include "platform/files/CriaPastas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cerrno>
#include <sys/stat.h>

#include "platform/files/PermissoesNovas.h"
#include "platform/files/TMotivoSistema.h"

bool CriaPastas(const QString& pasta, int& erroSistema)
{
    erroSistema = 0;
    // The missing folders, from the deepest up to the first that exists.
    QStringList faltam;
    for (QString caminho = QDir::cleanPath(QFileInfo(pasta).absoluteFilePath()); !QFileInfo(caminho).isDir();) {
        faltam.prepend(caminho);
        const QString acima = QFileInfo(caminho).path();
        if (acima == caminho)
            break;
        caminho = acima;
    }
    for (const QString& caminho : std::as_const(faltam)) {
        const QByteArray nome = QFile::encodeName(caminho);
        if (::mkdir(nome.constData(), PermissoesDePastaNova(QFile::encodeName(QFileInfo(caminho).path()))) == 0)
            continue;
        const int erro = errno;
        if (erro == EEXIST && QFileInfo(caminho).isDir())
            continue;                                    // made meanwhile by someone else
        erroSistema = erro == EEXIST ? ENOTDIR : erro;   // a file in the way
        return false;
    }
    return true;
}

bool CriaPastas(const QString& pasta)
{
    int erro = 0;
    return CriaPastas(pasta, erro);
}

QString FalhaAoCriarPastas(const QString& pasta, int erroSistema)
{
    const QString motivo = TMotivoSistema::Texto(erroSistema);
    QString caminho = QDir::cleanPath(QFileInfo(pasta).absoluteFilePath());
    if (erroSistema == EACCES || erroSistema == EPERM) {
        // The folder that refused is the deepest one there: it lets this user neither in nor write.
        QString acima = caminho;
        while (!QFileInfo(acima).isDir() && QFileInfo(acima).path() != acima)
            acima = QFileInfo(acima).path();
        if (acima != caminho || QFileInfo(caminho).isDir())
            return QStringLiteral("não foi possível usar a pasta ") + QDir::toNativeSeparators(acima)
                + QStringLiteral(": ") + motivo;
    }
    return QStringLiteral("não foi possível criar a pasta ") + QDir::toNativeSeparators(caminho) + QStringLiteral(": ")
        + motivo;
}
