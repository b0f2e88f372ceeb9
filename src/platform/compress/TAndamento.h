#pragma once
#include <functional>

// Called with the percentage done (0 to 100) while packing or unpacking runs; it may let the
// interface process pending events, so that a Cancel button can reach CancelarCompressao.
using TProgressoCompressao = std::function<void(int percentual)>;

// Progress reports and the cancel request of one running operation.
class TAndamento final {
public:
    // cancelar is read at every step; it belongs to the caller and outlives the operation.
    TAndamento(const TProgressoCompressao& progresso, const bool& cancelar);

    // Reports percentual when it is above the last one reported (0 to 100; out-of-range values are clipped).
    void Informa(int percentual);
    // Reports feito out of total as a percentage below 100; 100 is reported by Conclui.
    void InformaParte(unsigned long long feito, unsigned long long total);
    void Conclui() { Informa(100); }
    [[nodiscard]] bool Cancelado() const { return FCancelar; }

private:
    const TProgressoCompressao& FProgresso;   // not owned
    const bool& FCancelar;                    // not owned
    int FUltimo = -1;
};
