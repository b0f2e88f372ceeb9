// libFuzzer target: the reader of rich text.
#include "EntradaRtfFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Dados, std::size_t Tamanho)
{
    return LeRtfFuzz(Dados, Tamanho);
}
