#include "platform/ui/TProgressoEspacado.h"

#include <utility>

TProgressoEspacado::TProgressoEspacado(IProgresso& Destino, qint64 Intervalo, TBombaDeEventos::Relogio Relogio)
    : FDestino(Destino)
    , FVez(Intervalo, std::move(Relogio), [this] { FDestino.DefinePosicao(FFaixa.Posicao); })
{}

void TProgressoEspacado::DefineFaixa(int minimo, int maximo)
{
    FFaixa.Define(minimo, maximo);
    FDestino.DefineFaixa(minimo, maximo);
}

void TProgressoEspacado::DefinePosicao(int posicao)
{
    FFaixa.Posiciona(posicao);
    if (FFaixa.Posicao == FFaixa.Maximo)
        FDestino.DefinePosicao(FFaixa.Posicao);
    else
        FVez.Bombeia();
}
