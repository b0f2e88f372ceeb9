#pragma once
#include <functional>

#include "model/values/IObservador.h"

class TDadoBasico;

// The model value a bound control shows: observed while bound, told apart when it goes away.
class TVinculoDado final : private IObservador {
public:
    // aoMudar runs after each change of the value.
    explicit TVinculoDado(std::function<void()> aoMudar)
        : FAoMudar(std::move(aoMudar))
    {}
    ~TVinculoDado();   // stops observing
    TVinculoDado(const TVinculoDado&) = delete;
    TVinculoDado& operator=(const TVinculoDado&) = delete;

    [[nodiscard]] TDadoBasico* Dado() const { return FDado; }
    // Observes the value (not owned; null unbinds), leaving the one before.
    void SetDado(TDadoBasico* Dado);

private:
    void Atualiza(ISujeito& Sujeito) override;
    void Liberado(ISujeito& Sujeito) override;

    std::function<void()> FAoMudar;
    TDadoBasico* FDado = nullptr;   // not owned
};
