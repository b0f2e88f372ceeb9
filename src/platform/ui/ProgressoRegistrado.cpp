#include "platform/ui/ProgressoRegistrado.h"

#include <algorithm>

void ProgressoRegistrado::DefineFaixa(int minimo, int maximo)
{
    FMinimo = minimo;
    FMaximo = std::max(minimo, maximo);
    FPosicao = FMinimo;
}

void ProgressoRegistrado::DefinePosicao(int posicao)
{
    FPosicao = std::clamp(posicao, FMinimo, FMaximo);
    FPosicoes.push_back(FPosicao);
}
