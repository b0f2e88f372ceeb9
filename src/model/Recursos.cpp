#include "model/Recursos.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QString PastaDoExecutavel()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

}  // namespace

QString LocalizaRecurso(const QString& NomeArquivo)
{
    const QDir pasta(PastaDoExecutavel());
    const QString candidatos[] = {
        pasta.filePath(QStringLiteral("resources/") + NomeArquivo),
        pasta.filePath(NomeArquivo),
        pasta.filePath(QStringLiteral("../share/pruv2003/") + NomeArquivo),
    };
    for (const QString& candidato : candidatos)
        if (QFileInfo(candidato).isFile())
            return QDir::cleanPath(candidato);
    return QString();
}
