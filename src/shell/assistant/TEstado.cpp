#include "shell/assistant/TEstado.h"

#include "shell/assistant/TAssistente.h"

TEstado::TEstado(TAssistente& form, int pagina)
    : FForm(form)
    , FPagina(pagina)
{}

void TEstado::Mostra()
{
    FForm.MostraPagina(FPagina);
}

void TEstado::Executa()
{
    Mostra();
    if (!Valido()) {
        // Asked once only: a step that stays invalid must not hold the form in a loop.
        Corrige();
        if (!Valido())
            return;
        Mostra();
    }
    Processa();
}
