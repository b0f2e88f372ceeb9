#include "platform/ui/ProgressoRegistrado.h"

void ProgressoRegistrado::DefineFaixa(int minimo, int maximo)
{
    FFaixa.Define(minimo, maximo);
}

void ProgressoRegistrado::DefinePosicao(int posicao)
{
    FFaixa.Posiciona(posicao);
    FPosicoes.push_back(FFaixa.Posicao);
}
