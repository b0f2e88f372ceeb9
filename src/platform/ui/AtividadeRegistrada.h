#pragma once
#include "platform/ui/IAtividade.h"

// Test double of the busy cursor and keep-alive: installs itself for its lifetime and counts.
class AtividadeRegistrada final : public IAtividade {
public:
    AtividadeRegistrada();
    ~AtividadeRegistrada() override;
    AtividadeRegistrada(const AtividadeRegistrada&) = delete;
    AtividadeRegistrada& operator=(const AtividadeRegistrada&) = delete;

    void IniciaOcupado() override;
    void TerminaOcupado() override;   // unbalanced calls are counted, never below zero
    void MantemVivo() override { ++FVezesMantido; }

    [[nodiscard]] int Profundidade() const { return FProfundidade; }   // 0: normal cursor
    [[nodiscard]] int VezesOcupado() const { return FVezesOcupado; }
    [[nodiscard]] int TerminosSemInicio() const { return FTerminosSemInicio; }
    [[nodiscard]] int VezesMantido() const { return FVezesMantido; }

private:
    IAtividade* FAnterior;
    int FProfundidade = 0;
    int FVezesOcupado = 0;
    int FTerminosSemInicio = 0;
    int FVezesMantido = 0;
};
