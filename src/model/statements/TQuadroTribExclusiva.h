#pragma once
#include "model/values/TMonetario.h"
#include "model/values/TMonetarioTotal.h"

// Box 5 of a person's income statement, income taxed exclusively at source, computed from the
// items: line 1 (5.01) the net 13th salary, line 2 (5.02) the other income (the box's own amount)
// plus, for each partial-income line, its exclusive income minus its exclusive tax. The total
// observes its terms, so a box is neither copied nor moved.
class TQuadroTribExclusiva final {
public:
    TQuadroTribExclusiva();
    TQuadroTribExclusiva(const TQuadroTribExclusiva&) = delete;
    TQuadroTribExclusiva& operator=(const TQuadroTribExclusiva&) = delete;

    // Signed: a net 13th salary below 0 is kept as it is.
    [[nodiscard]] TMonetario& GetLinha1() { return FLinha1; }
    [[nodiscard]] const TMonetario& GetLinha1() const { return FLinha1; }
    [[nodiscard]] TMonetarioTotal& GetLinha2() { return FLinha2; }
    [[nodiscard]] const TMonetarioTotal& GetLinha2() const { return FLinha2; }
    // The first term of line 2; line 2 counts it by its positive reading.
    [[nodiscard]] TMonetario& GetOutrosRendimentos() { return FOutrosRendimentos; }
    [[nodiscard]] const TMonetario& GetOutrosRendimentos() const { return FOutrosRendimentos; }

    // Both amounts 0 and line 2 back to the other income as only term.
    void Limpa();

    // Nothing here is typed: only SetAlterado sets the flag.
    [[nodiscard]] bool GetAlterado() const { return FAlterado; }
    void SetAlterado(bool Alterado);

private:
    TMonetario FLinha1;
    TMonetario FOutrosRendimentos;
    TMonetarioTotal FLinha2;   // after its own term, so that it goes first
    bool FAlterado = false;
};
