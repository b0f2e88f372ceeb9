#pragma once
#include <memory>

#include "platform/transmit/ICarregadorTransmissao.h"

// The transmission program's signature library, through the loader in use: from the program's
// folder of the installation when its version (the first four characters) is a number not above
// 2002, else from this program's folder. Null when neither place has it.
std::unique_ptr<IBibliotecaAssinatura> CarregaBibliotecaAssinatura();

// The signature library looked for the first time it is asked for, and kept loaded from then on.
class TAssinaturaSobDemanda final {
public:
    IBibliotecaAssinatura* Obtem();   // null when there is none

private:
    std::unique_ptr<IBibliotecaAssinatura> FBiblioteca;
    bool FProcurada = false;
};
