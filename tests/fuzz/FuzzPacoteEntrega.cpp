// libFuzzer target: see DescompactaEntregaFuzz in EntradasFuzz.h.
#include "EntradasFuzz.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return PreparaProgramaFuzz();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Dados, std::size_t Tamanho)
{
    return DescompactaEntregaFuzz(Dados, Tamanho);
}
