#include "ProgramaDeTeste.h"

#include <QDir>
#include <QTemporaryDir>
#include <memory>
#include <stdexcept>

#include "platform/files/TPastas.h"

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
