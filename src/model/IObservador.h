#pragma once

class ISujeito;

// Observer of a value of the model (a bound edit, a computed total).
class IObservador {
public:
    // The value changed; it already holds its new text.
    virtual void Atualiza(ISujeito& Sujeito) = 0;
    // The value is going away: drop every reference to it and do not call it back (not even
    // RemoveObservador) from here.
    virtual void Liberado(ISujeito& Sujeito) = 0;

protected:
    ~IObservador() = default;   // never deleted through this interface
};
