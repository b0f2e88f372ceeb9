#pragma once
#include <QVarLengthArray>

class IObservador;
class ISujeito;

// The observers of one value, in the order they were added; one added twice is called twice.
// Observers are not owned.
class TObservadores {
public:
    void Adiciona(IObservador& Observador);
    void Remove(IObservador& Observador);   // the first occurrence only
    void Notifica(ISujeito& Sujeito);
    // Liberado to every observer, then the list is emptied.
    void NotificaLiberacao(ISujeito& Sujeito);
    [[nodiscard]] int Count() const { return static_cast<int>(FLista.size()); }

private:
    // Most values have one observer or two (their totals): held inline, as items hold hundreds
    // of values.
    QVarLengthArray<IObservador*, 2> FLista;
};
