#pragma once
#include "platform/ui/IProgresso.h"
#include "platform/ui/TBombaDeEventos.h"
#include "platform/ui/TFaixaProgresso.h"

// A gauge that passes its positions on to another at most once per interval, for a loop that
// reports every step while a redraw of the gauge costs as much as hundreds of steps. The range,
// the captions and the end of the range are passed on at once.
class TProgressoEspacado final : public IProgresso {
public:
    // Destino outlives this object; by default the clock is monotonic.
    explicit TProgressoEspacado(IProgresso& Destino, qint64 Intervalo = TBombaDeEventos::IntervaloPadrao,
                                TBombaDeEventos::Relogio Relogio = {});

    void DefineFaixa(int minimo, int maximo) override;
    void DefinePosicao(int posicao) override;
    void MostraTexto(const QString& texto) override { FDestino.MostraTexto(texto); }
    [[nodiscard]] int Minimo() const override { return FFaixa.Minimo; }
    [[nodiscard]] int Maximo() const override { return FFaixa.Maximo; }
    [[nodiscard]] int Posicao() const override { return FFaixa.Posicao; }

private:
    IProgresso& FDestino;   // not owned
    TFaixaProgresso FFaixa;
    TBombaDeEventos FVez;   // passes the position on, once per interval
};
