#pragma once
#include <QString>
#include <memory>

#include "model/declaration/TResumo.h"
#include "model/people/TContribuinte.h"

class TColecaoPruvItem;
class TErros;

// Common base of the owners of items: the declaration itself and the annex of one investment
// fund or club. Each has a key, a declarant, an error sink, its own summary and, while in use,
// its items collection. Never made by itself.
class TPruvAnexo {
public:
    TPruvAnexo(const TPruvAnexo&) = delete;
    TPruvAnexo& operator=(const TPruvAnexo&) = delete;
    // Frees the items collection first. A subclass whose collection reaches the subclass's own
    // members calls LiberaItens in its destructor.
    virtual ~TPruvAnexo();

    // The items collection of this owner, made on first use by the subclass (GuardaItens).
    virtual TColecaoPruvItem& GetItens() = 0;
    // The subclass stores the sink (ArmazenaErros) and hands it to its values; not owned.
    virtual void SetErros(TErros* Erros) = 0;
    // Frees the items collection and the summary, clears the declarant and empties the key.
    virtual void Limpa();
    // Frees the items collection only, so that its table is closed.
    virtual void LiberaItens();
    // True for the annex of a fund or club, false for the declaration: its items carry the
    // annex flag "1" and the annex's object numbers.
    [[nodiscard]] virtual bool EhAnexo() const = 0;

    // PRUV_DK of the declaration or ANEXO_DK of the annex; empty while not stored.
    [[nodiscard]] const QString& GetChave() const { return FChave; }
    void SetChave(const QString& Chave) { FChave = Chave; }
    // The subclass makes it in its constructor; asking before raises std::logic_error.
    [[nodiscard]] TContribuinte& GetDeclarante() const;
    [[nodiscard]] TErros* Erros() const { return FErros; }
    // Made again, zeroed, when Limpa has freed it.
    [[nodiscard]] TResumo& GetResumo();
    // The key, the declarant (number and name) and the summary; not the items.
    void Copia(TPruvAnexo& Destino);

protected:
    TPruvAnexo();

    void SetDeclarante(std::unique_ptr<TContribuinte> Declarante) { FDeclarante = std::move(Declarante); }
    void ArmazenaErros(TErros* Erros) { FErros = Erros; }
    [[nodiscard]] TColecaoPruvItem* Itens() const { return FItens.get(); }
    // Takes the collection made by GetItens. A template, so that it is instantiated where the
    // collection's class is complete, while this base only forward-declares it.
    template <class C> void GuardaItens(std::unique_ptr<C> Itens)
    {
        FItens = PonteiroItens(Itens.release(), [](TColecaoPruvItem* p) { delete static_cast<C*>(p); });
    }

private:
    using PonteiroItens = std::unique_ptr<TColecaoPruvItem, void (*)(TColecaoPruvItem*)>;

    QString FChave;
    TErros* FErros = nullptr;   // not owned
    std::unique_ptr<TContribuinte> FDeclarante;
    std::unique_ptr<TResumo> FResumo;
    PonteiroItens FItens{nullptr, nullptr};   // last: goes first, while the rest is whole
};
