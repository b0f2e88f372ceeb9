#pragma once
#include <QString>

#include "model/values/TMonetario.h"
#include "model/values/TMonetarioTotal.h"

class TTotaisPruvItem;

// One partial-income line of a person's income statement: of an item whose code is taxed partly
// as ordinary taxable income and partly exclusively at source, the user types the share of its
// income and tax that goes into the taxable box (the compensable part, stored by code); the rest
// is the part taxed exclusively at source. Totals observe the parts, so a line is neither copied
// nor moved.
class TRendimentoParcial final {
public:
    // Totais (not owned) outlives the line. Both typed parts start at 0, so each exclusive part
    // starts as the item's whole amount.
    explicit TRendimentoParcial(TTotaisPruvItem& Totais);
    TRendimentoParcial(const TRendimentoParcial&) = delete;
    TRendimentoParcial& operator=(const TRendimentoParcial&) = delete;

    [[nodiscard]] const TTotaisPruvItem& GetTotais() const { return FTotais; }
    // The item's income, tax (with compensations) and deductions.
    [[nodiscard]] const TMonetario& GetRendimentoTotal() const;
    [[nodiscard]] const TMonetario& GetImpostoTotal() const;
    [[nodiscard]] const TMonetario& GetDeducoes() const;
    [[nodiscard]] const QString& GetCodigo() const;   // the item's withholding code

    // Typed: the shares shown in the taxable box.
    [[nodiscard]] TMonetario& GetRendimentoCompensavel() { return FRendimentoCompensavel; }
    [[nodiscard]] const TMonetario& GetRendimentoCompensavel() const { return FRendimentoCompensavel; }
    [[nodiscard]] TMonetario& GetImpostoCompensavel() { return FImpostoCompensavel; }
    [[nodiscard]] const TMonetario& GetImpostoCompensavel() const { return FImpostoCompensavel; }
    // Computed: the item's income and tax minus the typed shares; they follow the shares.
    [[nodiscard]] TMonetarioTotal& GetRendimentoExclusivo() { return FRendimentoExclusivo; }
    [[nodiscard]] const TMonetarioTotal& GetRendimentoExclusivo() const { return FRendimentoExclusivo; }
    [[nodiscard]] TMonetarioTotal& GetImpostoExclusivo() { return FImpostoExclusivo; }
    [[nodiscard]] const TMonetarioTotal& GetImpostoExclusivo() const { return FImpostoExclusivo; }

    // Both typed shares exactly 0: the line has nothing to store.
    [[nodiscard]] bool Zerado() const;

    // Once true, stays true until SetAlterado(false); otherwise asks the typed shares.
    [[nodiscard]] bool GetAlterado() const;
    void SetAlterado(bool Alterado);

private:
    TTotaisPruvItem& FTotais;   // not owned
    TMonetario FRendimentoCompensavel;
    TMonetario FImpostoCompensavel;
    // After the shares they observe, so that they go first.
    TMonetarioTotal FRendimentoExclusivo;
    TMonetarioTotal FImpostoExclusivo;
    mutable bool FAlterado = false;
};
