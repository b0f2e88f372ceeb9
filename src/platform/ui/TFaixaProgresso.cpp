#include "platform/ui/TFaixaProgresso.h"

#include <algorithm>

void TFaixaProgresso::Define(int minimo, int maximo)
{
    Minimo = minimo;
    Maximo = std::max(minimo, maximo);
    Posicao = Minimo;
}

void TFaixaProgresso::Posiciona(int posicao)
{
    Posicao = std::clamp(posicao, Minimo, Maximo);
}
