#pragma once
#include <QString>
#include <array>

#include "model/statements/TMonetarioMais65.h"
#include "model/values/TMonetario.h"
#include "model/values/TTexto.h"

// Box 4 of a person's income statement, exempt and non-taxable income, typed by the user: line 1
// (the retirement income of a beneficiary aged 65 or more, with its yearly ceiling), lines 2 to 5,
// 7 and 8 (line 6 is not kept), and the description of line 8.
class TQuadroRendIsentos final {
public:
    // Ano: the calendar year that sets line 1's ceiling.
    explicit TQuadroRendIsentos(const QString& Ano);
    TQuadroRendIsentos(const TQuadroRendIsentos&) = delete;
    TQuadroRendIsentos& operator=(const TQuadroRendIsentos&) = delete;

    [[nodiscard]] TMonetarioMais65& GetLinha1() { return FLinha1; }
    [[nodiscard]] const TMonetarioMais65& GetLinha1() const { return FLinha1; }
    [[nodiscard]] TMonetario& GetLinha2() { return FLinhas[0]; }
    [[nodiscard]] TMonetario& GetLinha3() { return FLinhas[1]; }
    [[nodiscard]] TMonetario& GetLinha4() { return FLinhas[2]; }
    [[nodiscard]] TMonetario& GetLinha5() { return FLinhas[3]; }
    [[nodiscard]] TMonetario& GetLinha7() { return FLinhas[4]; }
    [[nodiscard]] TMonetario& GetLinha8() { return FLinhas[5]; }
    [[nodiscard]] TTexto& GetDescricaoLinha8() { return FDescricaoLinha8; }

    // The seven amounts 0 and the description empty.
    void Limpa();
    // An amount not 0 or a description typed.
    [[nodiscard]] bool PossuiValores() const;

    // Once true, stays true until SetAlterado(false); otherwise asks the amounts and description.
    [[nodiscard]] bool GetAlterado() const;
    void SetAlterado(bool Alterado);

private:
    TMonetarioMais65 FLinha1;
    std::array<TMonetario, 6> FLinhas;   // lines 2, 3, 4, 5, 7 and 8
    TTexto FDescricaoLinha8;
    mutable bool FAlterado = false;
};
