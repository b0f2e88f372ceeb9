#pragma once

class IProgresso;
class TColecaoPruvItem;
class TPruv;
class TPruvItem;
class TResumo;

// Computes a declaration's summaries again from its items: every item of the declaration and,
// for a fund administrator, of each fund is added into its owner's summary and into the total,
// and each owner's summary is stored as soon as all its items are in. The declaration's own
// summary (its items only) and the total (with the funds') stay distinct objects: the total
// reaches the declaration only when the whole walk ended.
class TRecalculoResumos final {
public:
    explicit TRecalculoResumos(TPruv& Pruv);   // Pruv outlives the object

    // The walk. Gauge runs from 0 over the sum of the highest item keys of the owners and ends at
    // its maximum; the interface is kept alive before each item, which is where a cancel is seen.
    // True when every summary was computed and stored and the total, valid, is the declaration's
    // summary. False when cancelled: the owners' summaries completed before stay stored, the
    // declaration's summary is left as it was. A table's failure raises its error with the same
    // outcome for what came before it.
    bool Executa(IProgresso& Gauge);

    // The walk ends at its next step (at its first, when called before Executa).
    void Cancela() { FCancelado = true; }
    [[nodiscard]] bool Cancelado() const { return FCancelado; }

private:
    // The highest item key of the declaration plus, for an administrator, of each fund.
    [[nodiscard]] int Passos(bool Administradora);
    // Every item of Itens (its owner's, read into Item, of the same owner) into Resumo and the
    // total; the summary stored unless cancelled. False when cancelled.
    bool Soma(TColecaoPruvItem& Itens, TPruvItem& Item, TResumo& Resumo, TResumo& Total, IProgresso& Gauge);

    TPruv& FPruv;   // not owned
    bool FCancelado = false;
    int FLidos = 0;   // items added so far, the gauge's position
};
