#include "model/values/TObservadores.h"

#include <algorithm>

#include "model/values/IObservador.h"

IObservador::~IObservador()
{
    // Taken first: Remove would otherwise edit the list being walked.
    const std::vector<TObservadores*> listas = std::move(FListas);
    FListas.clear();
    for (TObservadores* lista : listas)
        lista->Remove(*this);
}

TObservadores::~TObservadores()
{
    for (IObservador* observador : FLista)
        Esquece(*observador);
}

void TObservadores::Esquece(IObservador& Observador)
{
    auto& listas = Observador.FListas;
    const auto i = std::find(listas.begin(), listas.end(), this);
    if (i != listas.end())
        listas.erase(i);
}

void TObservadores::Adiciona(IObservador& Observador)
{
    FLista.push_back(&Observador);
    Observador.FListas.push_back(this);
}

void TObservadores::Remove(IObservador& Observador)
{
    const auto i = std::find(FLista.begin(), FLista.end(), &Observador);
    if (i == FLista.end())
        return;
    FLista.erase(i);
    Esquece(Observador);
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
    for (qsizetype i = 0; i < FLista.size(); ++i) {
        Esquece(*FLista[i]);
        FLista[i]->Liberado(Sujeito);
    }
    FLista.clear();
}
