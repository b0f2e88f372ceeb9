#include "model/TObservadores.h"

#include <algorithm>

#include "model/IObservador.h"

void TObservadores::Adiciona(IObservador& Observador)
{
    FLista.push_back(&Observador);
}

void TObservadores::Remove(IObservador& Observador)
{
    const auto i = std::find(FLista.begin(), FLista.end(), &Observador);
    if (i != FLista.end())
        FLista.erase(i);
}

// By index over the live list: an observer that adds or removes observers while being called
// must not leave the walk on a dangling iterator.
void TObservadores::Notifica(ISujeito& Sujeito)
{
    for (qsizetype i = 0; i < FLista.size(); ++i)
        FLista[i]->Atualiza(Sujeito);
}

void TObservadores::NotificaLiberacao(ISujeito& Sujeito)
{
    for (qsizetype i = 0; i < FLista.size(); ++i)
        FLista[i]->Liberado(Sujeito);
    FLista.clear();
}
