#pragma once
#include <QString>

#include "model/values/IObservador.h"
#include "model/values/ISujeito.h"
#include "model/values/TObservadores.h"

// Base of every value of the model: its text, whether it may be empty, whether it was changed,
// and the observers it tells. Observers hold its address, so a value is neither copied nor moved.
class TDadoBasico : public ISujeito {
public:
    TDadoBasico() = default;
    // Tells the observers first (Liberado); by then the derived parts are gone, so they may only
    // drop their reference.
    virtual ~TDadoBasico();
    TDadoBasico(const TDadoBasico&) = delete;
    TDadoBasico& operator=(const TDadoBasico&) = delete;

    [[nodiscard]] virtual QString GetTextoFormatado() const { return GetTexto(); }
    // Stores the text, raising a TErro when it is refused (the value is then unchanged); the base
    // stores nothing and only notifies.
    virtual void SetTexto(const QString& Texto);
    [[nodiscard]] virtual QString GetTexto() const { return {}; }

    void AdicionaObservador(IObservador& Observador) override { FObservadores.Adiciona(Observador); }
    void RemoveObservador(IObservador& Observador) override { FObservadores.Remove(Observador); }
    void NotificaLiberacao() override { FObservadores.NotificaLiberacao(*this); }
    // Every setter calls it after storing: marks the value changed and tells the observers.
    // Inline: loading an item changes hundreds of values, most of them observed by nobody.
    void Notifica()
    {
        FAlterado = true;
        if (FObservadores.Count() > 0)
            FObservadores.Notifica(*this);
    }

    // Observed by that observer and no other.
    [[nodiscard]] bool ObservadoSoPor(const IObservador& Observador) const { return FObservadores.SoEste(Observador); }

    [[nodiscard]] bool PermiteVazio() const { return FPermiteVazio; }
    void SetPermiteVazio(bool Permite) { FPermiteVazio = Permite; }
    // True from the first change until the owner resets it (after a save); no notification.
    [[nodiscard]] virtual bool GetAlterado() const { return FAlterado; }
    virtual void SetAlterado(bool Alterado) { FAlterado = Alterado; }

protected:
    // Changed, telling no one: for a holder that tells the value's observers itself.
    void MarcaAlterado() { FAlterado = true; }

private:
    TObservadores FObservadores;
    bool FPermiteVazio = false;
    bool FAlterado = false;
};
