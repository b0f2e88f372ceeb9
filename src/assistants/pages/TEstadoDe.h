#pragma once
#include "shell/assistant/TEstado.h"

// A step of a concrete assistant TForm: entering it shows its page and runs the form's
// ExecutaEtapa with the page's number; Evento chooses the next step through Vai.
template <class TForm> class TEstadoDe : public TEstado {
public:
    TEstadoDe(TForm& form, int pagina)
        : TEstado(form, pagina)
        , FAssistente(form)
    {}
    void Processa() override { FAssistente.ExecutaEtapa(Pagina()); }

protected:
    [[nodiscard]] TForm& Assistente() const { return FAssistente; }
    // The next step, and whether the form goes on from it at once: Evento's answer.
    bool Vai(int proximo, bool repetir)
    {
        SetProximo(proximo);
        return repetir;
    }

private:
    TForm& FAssistente;   // owns the step
};
