// libFuzzer target: the importer of income-statement files.
#include <QByteArray>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>

#include "EntradasFuzz.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static std::unique_ptr<QTemporaryDir> pasta = std::make_unique<QTemporaryDir>();
    qputenv("PRUV2003_HOME", pasta->path().toLocal8Bit());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Dados, std::size_t Tamanho)
{
    return ImportaComprovantesFuzz(Dados, Tamanho);
}
