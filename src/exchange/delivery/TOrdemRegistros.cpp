#include "exchange/delivery/TOrdemRegistros.h"

#include <algorithm>

#include "exchange/layout/TLinhaFixa.h"

QByteArray TOrdemRegistros::Chave(const TLinhaFixa& Linha)
{
    return Linha.Campo(10, 33).toByteArray() + Linha.Campo(688, 1).toByteArray();
}

bool TOrdemRegistros::Aceita(const TLinhaFixa& Linha)
{
    // Compared and kept in place: this runs for every value line of the file.
    const QByteArrayView inicio = Linha.Campo(10, TamanhoChave - 1);
    const QByteArrayView identificador = Linha.Campo(688, 1);
    const QByteArrayView ultima(FUltima);
    const int comparacao = inicio.compare(ultima.first(TamanhoChave - 1));   // as unsigned bytes
    if (comparacao < 0 || (comparacao == 0 && identificador.compare(ultima.last(1)) <= 0))
        return false;
    char* destino = FUltima.data();
    std::copy_n(inicio.data(), TamanhoChave - 1, destino);
    destino[TamanhoChave - 1] = identificador.front();
    return true;
}
