#include "platform/files/TPastas.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString PastaDoExecutavel()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // Without an application object (early start-up), ask the system for our own image.
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

QString PastaDoUsuario()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString pasta = QDir(base.isEmpty() ? QDir::homePath() : base).filePath(QStringLiteral("pruv2003"));
    QDir().mkpath(pasta);
    return pasta;
}

QString SemSeparadorFinal(const QString& caminho)
{
    // cleanPath keeps "/" for the root and drops every other trailing separator.
    return QDir::cleanPath(QDir(caminho).absolutePath());
}

}  // namespace

QString TPastas::Programa()
{
    const QString home = qEnvironmentVariable("PRUV2003_HOME");
    if (!home.isEmpty())
        return SemSeparadorFinal(home);
    const QString executavel = PastaDoExecutavel();
    if (!executavel.isEmpty() && QFileInfo(executavel).isWritable())
        return SemSeparadorFinal(executavel);
    return SemSeparadorFinal(PastaDoUsuario());
}

QString TPastas::Dados()
{
    return Programa() + QStringLiteral("/DADOS");
}

QString TPastas::Temporaria()
{
    return Dados() + QStringLiteral("/TEMP");
}

QString TPastas::ErroImp()
{
    return Dados() + QStringLiteral("/ErroImp");
}

bool TPastas::Cria()
{
    QDir raiz;
    return raiz.mkpath(Dados()) && raiz.mkpath(Temporaria()) && raiz.mkpath(ErroImp());
}
