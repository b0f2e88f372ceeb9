#include "screens/fields/TVinculoDado.h"

#include "model/values/TDadoBasico.h"

TVinculoDado::~TVinculoDado()
{
    if (FDado)
        FDado->RemoveObservador(*this);
}

void TVinculoDado::SetDado(TDadoBasico* Dado)
{
    if (Dado == FDado)
        return;
    if (FDado)
        FDado->RemoveObservador(*this);
    FDado = Dado;
    if (FDado)
        FDado->AdicionaObservador(*this);
}

void TVinculoDado::Atualiza(ISujeito&)
{
    if (FAoMudar)
        FAoMudar();
}

void TVinculoDado::Liberado(ISujeito&)
{
    FDado = nullptr;   // going away: no call back into it
}
