#include "platform/report/printing/IImpressoras.h"

#include "platform/report/printing/TImpressorasSistema.h"

namespace {

IImpressoras* Instalada = nullptr;

}   // namespace

IImpressoras& Impressoras::Atual()
{
    if (Instalada != nullptr)
        return *Instalada;
    static TImpressorasSistema sistema;
    return sistema;
}

IImpressoras* Impressoras::Instala(IImpressoras* impressoras)
{
    IImpressoras* anterior = Instalada;
    Instalada = impressoras;
    return anterior;
}
