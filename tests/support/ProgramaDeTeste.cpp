#include "ProgramaDeTeste.h"

#include <QDir>
#include <QTemporaryDir>
#include <memory>
#include <stdexcept>

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
}

void Termina()
{
    qunsetenv("PRUV2003_HOME");
    pastaAtual.reset();
}

}  // namespace ProgramaDeTeste
