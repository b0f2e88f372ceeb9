#include "exchange/TLinhaLida.h"

#include "exchange/TLeitorLinhas.h"

bool TLinhaLida::Proxima(TLeitorLinhas& Leitor)
{
    Presente = Leitor.LeLinha(Texto);
    if (Presente)
        Numero = Leitor.Lidas();
    return Presente;
}
