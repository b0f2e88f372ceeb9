#include "exchange/import/TLinhaLida.h"

#include "exchange/import/TLeitorLinhas.h"

bool TLinhaLida::Proxima(TLeitorLinhas& Leitor)
{
    Presente = Leitor.LeLinha(Texto);
    if (Presente)
        Numero = Leitor.Lidas();
    return Presente;
}
