#pragma once
#include "platform/transmit/ICarregadorTransmissao.h"

// The loader of the transmission program's libraries that the program talks to. By default the
// one that loads the installed shared objects (TCarregadorTransmissao); tests install a double
// (TransmissaoRoteirizada installs itself). An installed loader is not owned and must outlive
// its installation; installing nullptr goes back to the default.
namespace ProgramaTransmissao {

ICarregadorTransmissao& Carregador();
// Returns what was installed before, so that a scope can put it back.
ICarregadorTransmissao* Instala(ICarregadorTransmissao* carregador);

}   // namespace ProgramaTransmissao
