#pragma once
#include <vector>

class ISujeito;
class TObservadores;

// Observer of a value of the model (a bound edit, a computed total). Values hold its address:
// it remembers the values it was added to and leaves them when it is destroyed, so a value
// never calls an observer that is gone.
class IObservador {
public:
    // The value changed; it already holds its new text.
    virtual void Atualiza(ISujeito& Sujeito) = 0;
    // The value is going away: drop every reference to it and do not call it back (not even
    // RemoveObservador) from here.
    virtual void Liberado(ISujeito& Sujeito) = 0;

    IObservador(const IObservador&) = delete;
    IObservador& operator=(const IObservador&) = delete;

protected:
    IObservador() = default;
    virtual ~IObservador();   // never deleted through this interface
    // Room for that many values observed, for an observer that knows how many it will have.
    void ReservaSujeitos(int Quantidade) { FListas.reserve(static_cast<std::size_t>(Quantidade)); }

private:
    friend class TObservadores;
    std::vector<TObservadores*> FListas;   // one entry for each time it was added
};
