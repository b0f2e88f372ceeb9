#pragma once

// Arms a test fault layer for a scope and disarms it on leaving, so that a failed assertion
// leaves no fault armed.
template <class TFalha, void (*Arma)(const TFalha&), void (*Desarma)()> class TArmadaNoEscopo {
public:
    explicit TArmadaNoEscopo(const TFalha& falha) { Arma(falha); }
    ~TArmadaNoEscopo() { Desarma(); }
    TArmadaNoEscopo(const TArmadaNoEscopo&) = delete;
    TArmadaNoEscopo& operator=(const TArmadaNoEscopo&) = delete;
};
