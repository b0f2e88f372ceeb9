#pragma once
#include <cstdint>

#include "model/declaration/TPruvAnexo.h"

class IVerificacao;
class TDeclaranteAnexo;
class TErros;
class TPruv;
class TPruvItem;

// The annex of one investment fund or club that a declarant of nature 3 administers: its own
// items (with the annex flag "1") and summary, the fund as its declarant, and its declaration's
// error sink. Made anew for each fund shown: load, use, clear, load the next.
class TAnexoFC final : public TPruvAnexo {
public:
    // Where a pending item of the annex points on the screens.
    static constexpr std::uint8_t ObjetoNi = 24;
    static constexpr std::uint8_t ObjetoNome = 25;
    static constexpr std::uint8_t ObjetoSemItens = 26;

    // The annex shares Declaracao's sink. Declaracao lets go of the annex's items before it frees
    // or replaces the collections they use (loading, clearing, LiberaItens, destruction); an annex
    // that outlives its declaration may only be destroyed.
    explicit TAnexoFC(TPruv& Declaracao);
    ~TAnexoFC() override;

    TColecaoPruvItem& GetItens() override;
    void SetErros(TErros* Erros) override;
    // Items, summary, fund and key, and empties the shared sink.
    void Limpa() override;
    // The same, but the sink keeps its errors.
    void Reinicia() { TPruvAnexo::Limpa(); }
    [[nodiscard]] bool EhAnexo() const override { return true; }

    // Raises std::logic_error once the declaration is gone.
    [[nodiscard]] TPruv& GetDeclaracao() const;
    [[nodiscard]] TDeclaranteAnexo& GetFundo() const;

    // The fund's own faults into Erros, as pending errors of this annex: the number (24), the
    // name (25), the administrator's own number (36).
    void VerificaDados(TErros& Erros) const;
    // The whole check of the annex, reported into the run: its identification section, then its
    // beneficiaries section with every item's pending items; an annex without items is error 132.
    // Verificados counts the items checked in the whole run. Unless the run was stopped, the
    // annex's summary is recomputed from its items and stored as up to date. Itens and Lido: a
    // collection and an item whose owner is this annex, made once for the run (they follow the
    // key the annex is given), never the collection the screens may be using.
    void Verifica(TErros& Erros, IVerificacao& Frame, int& Verificados, TColecaoPruvItem& Itens, TPruvItem& Lido);

private:
    friend class TPruv;   // tells the annex when it goes first

    TPruv& FDeclaracao;    // not owned
    bool FLigado = true;   // false once the declaration is gone
};
