#pragma once
#include <QVarLengthArray>

class IObservador;
class ISujeito;

// The observers of one value, in the order they were added; one added twice is called twice.
// Observers are not owned: one that is destroyed leaves the list by itself, and a list that
// goes away first is forgotten by its observers.
class TObservadores {
public:
    TObservadores() = default;
    ~TObservadores();
    TObservadores(const TObservadores&) = delete;
    TObservadores& operator=(const TObservadores&) = delete;

    void Adiciona(IObservador& Observador);
    void Remove(IObservador& Observador);   // the first occurrence only
    void Notifica(ISujeito& Sujeito);
    // Liberado to every observer, then the list is emptied.
    void NotificaLiberacao(ISujeito& Sujeito);
    [[nodiscard]] int Count() const { return static_cast<int>(FLista.size()); }
    // The list holds that observer alone.
    [[nodiscard]] bool SoEste(const IObservador& Observador) const
    {
        return FLista.size() == 1 && FLista[0] == &Observador;
    }

private:
    void Esquece(IObservador& Observador);   // one entry of this list leaves the observer's

    // Most values have one observer or two (their totals): held inline, as items hold hundreds
    // of values.
    QVarLengthArray<IObservador*, 2> FLista;
};
