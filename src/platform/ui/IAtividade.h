#pragma once

// Busy cursor and keep-alive of long operations that run on the interface thread.
class IAtividade {
public:
    virtual ~IAtividade() = default;

    // Nested calls are counted: the normal cursor comes back after the last TerminaOcupado.
    virtual void IniciaOcupado() = 0;
    virtual void TerminaOcupado() = 0;

    // Lets the interface handle pending events (repaint, a Cancel click); cheap to call on every
    // pass of a loop because the events are pumped at most once every 50 ms.
    virtual void MantemVivo() = 0;
};
