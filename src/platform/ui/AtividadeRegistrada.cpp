#include "platform/ui/AtividadeRegistrada.h"

#include "platform/ui/InterfaceUsuario.h"

AtividadeRegistrada::AtividadeRegistrada()
    : FAnterior(InterfaceUsuario::Instala(this))
{}

AtividadeRegistrada::~AtividadeRegistrada()
{
    InterfaceUsuario::Instala(FAnterior);
}

void AtividadeRegistrada::IniciaOcupado()
{
    ++FProfundidade;
    ++FVezesOcupado;
}

void AtividadeRegistrada::TerminaOcupado()
{
    if (FProfundidade == 0)
        ++FTerminosSemInicio;
    else
        --FProfundidade;
}
