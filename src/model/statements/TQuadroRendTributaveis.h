#pragma once
#include "model/values/TMonetario.h"
#include "model/values/TMonetarioTotal.h"

// Box 3 of a person's income statement, taxable income: line 1 (3.01) the income, lines 2 to 4
// the deductions the user types, and the tax line (3.05). The income and the tax are summed from
// the items (the box's own amounts) plus, as further terms, the shares the user puts here from
// each partial-income line. The totals observe their terms, so a box is neither copied nor moved.
class TQuadroRendTributaveis final {
public:
    TQuadroRendTributaveis();
    TQuadroRendTributaveis(const TQuadroRendTributaveis&) = delete;
    TQuadroRendTributaveis& operator=(const TQuadroRendTributaveis&) = delete;

    [[nodiscard]] TMonetarioTotal& GetLinha1() { return FLinha1; }
    [[nodiscard]] const TMonetarioTotal& GetLinha1() const { return FLinha1; }
    [[nodiscard]] TMonetario& GetLinha2() { return FLinha2; }
    [[nodiscard]] const TMonetario& GetLinha2() const { return FLinha2; }
    [[nodiscard]] TMonetario& GetLinha3() { return FLinha3; }
    [[nodiscard]] const TMonetario& GetLinha3() const { return FLinha3; }
    [[nodiscard]] TMonetario& GetLinha4() { return FLinha4; }
    [[nodiscard]] const TMonetario& GetLinha4() const { return FLinha4; }
    [[nodiscard]] TMonetarioTotal& GetTotal() { return FTotal; }   // the tax line
    [[nodiscard]] const TMonetarioTotal& GetTotal() const { return FTotal; }
    // The deductions of the items, against which lines 2 to 4 are compared.
    [[nodiscard]] TMonetario& GetDeducoesPruv() { return FDeducoesPruv; }
    [[nodiscard]] const TMonetario& GetDeducoesPruv() const { return FDeducoesPruv; }
    // The first terms of line 1 and of the tax line: what the items put here whole.
    [[nodiscard]] TMonetario& GetRendimentoProprio() { return FRendimentoProprio; }
    [[nodiscard]] TMonetario& GetImpostoProprio() { return FImpostoProprio; }

    // Every value 0, and each total back to its own amount as only term.
    void Limpa();
    // Line 2, 3 or 4 is not 0: the user typed deductions.
    [[nodiscard]] bool PossuiValores() const;

    // Once true, stays true until SetAlterado(false); otherwise asks lines 2 to 4.
    [[nodiscard]] bool GetAlterado() const;
    void SetAlterado(bool Alterado);

private:
    TMonetario FRendimentoProprio;
    TMonetario FLinha2;
    TMonetario FLinha3;
    TMonetario FLinha4;
    TMonetario FImpostoProprio;
    TMonetario FDeducoesPruv;
    TMonetarioTotal FLinha1;   // after their own amounts, so that they go first
    TMonetarioTotal FTotal;
    mutable bool FAlterado = false;
};
