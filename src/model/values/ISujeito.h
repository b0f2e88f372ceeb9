#pragma once

class IObservador;

// A value that tells its observers of changes. The owner of the value frees it; observers only
// refer to it.
class ISujeito {
public:
    virtual void AdicionaObservador(IObservador& Observador) = 0;
    virtual void RemoveObservador(IObservador& Observador) = 0;
    virtual void NotificaLiberacao() = 0;

protected:
    ~ISujeito() = default;   // never deleted through this interface
};
