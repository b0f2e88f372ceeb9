#include "ProgramaDeTeste.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files/TPastas.h"
#include "ProcessoLimitado.h"

namespace {
std::unique_ptr<QTemporaryDir> pastaAtual;
}

namespace ProgramaDeTeste {

QString Pasta()
{
    if (!pastaAtual)
        throw std::logic_error("no program folder outside a test case");
    return QDir::cleanPath(pastaAtual->path());
}

namespace {

// Whether usuario may enter pasta and write in it.
bool Alcanca(const QString& pasta, int usuario)
{
    const QByteArray nome = QFile::encodeName(pasta);
    return NoProcessoLimitado([&nome] { return ::access(nome.constData(), R_OK | W_OK | X_OK) == 0 ? 0 : 1; }, usuario)
        == 0;
}

}   // namespace

QString AbreAOutroUsuario(int usuario)
{
    if (::geteuid() != 0)
        return QStringLiteral("needs root to run as another user");
    for (const QString& base : {QDir::tempPath(), QStringLiteral("/tmp"), QStringLiteral("/var/tmp")}) {
        auto pasta = std::make_unique<QTemporaryDir>(base + QStringLiteral("/pruv2003-test-XXXXXX"));
        if (!pasta->isValid() || ::chmod(QFile::encodeName(pasta->path()).constData(), 0777) != 0
            || !Alcanca(pasta->path(), usuario))
            continue;
        pastaAtual = std::move(pasta);
        qputenv("PRUV2003_HOME", pastaAtual->path().toLocal8Bit());
        TPastas::DirecionaConfiguracoesQt();
        return {};
    }
    return QStringLiteral("no temporary folder that user %1 can reach (%2 is closed to others)")
        .arg(usuario)
        .arg(QDir::tempPath());
}

void Inicia()
{
    pastaAtual = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/pruv2003-test-XXXXXX"));
    if (!pastaAtual->isValid())
        throw std::runtime_error("cannot create a temporary program folder");
    qputenv("PRUV2003_HOME", pastaAtual->path().toLocal8Bit());
    // Qt's own settings (a file dialog's) stay in the case's folder, as the program's do.
    TPastas::DirecionaConfiguracoesQt();
}

void Termina()
{
    qunsetenv("PRUV2003_HOME");
    pastaAtual.reset();
}

}   // namespace ProgramaDeTeste
