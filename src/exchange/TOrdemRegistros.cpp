#include "exchange/TOrdemRegistros.h"

#include "exchange/TLinhaFixa.h"

QByteArray TOrdemRegistros::Chave(const TLinhaFixa& Linha)
{
    return Linha.Campo(10, 33).toByteArray() + Linha.Campo(688, 1).toByteArray();
}

bool TOrdemRegistros::Aceita(const TLinhaFixa& Linha)
{
    QByteArray chave = Chave(Linha);
    if (FUltima >= chave)   // QByteArray compares its bytes as unsigned
        return false;
    FUltima = std::move(chave);
    return true;
}
