#include "platform/report/pages/TDesenhoPagina.h"

#include <utility>

namespace {

TRegistroDesenho::TObservador& Observador()
{
    static TRegistroDesenho::TObservador observador;
    return observador;
}

}   // namespace

TRegistroDesenho::TObservador TRegistroDesenho::Instala(TObservador observador)
{
    return std::exchange(Observador(), std::move(observador));
}

bool TRegistroDesenho::Ativo()
{
    return bool(Observador());
}

void TRegistroDesenho::Notifica(const TDesenhoPagina& pagina)
{
    if (Observador())
        Observador()(pagina);
}
