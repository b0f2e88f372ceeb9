#include "platform/ui/TCursorOcupado.h"

#include "platform/ui/InterfaceUsuario.h"

TCursorOcupado::TCursorOcupado()
{
    InterfaceUsuario::Atividade().IniciaOcupado();
}

TCursorOcupado::~TCursorOcupado()
{
    InterfaceUsuario::Atividade().TerminaOcupado();
}
