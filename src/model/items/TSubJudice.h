#pragma once
#include "model/items/TRendimentosTributaveis.h"

// The income, deductions and tax of one item whose liability is suspended by a court, and the
// judicial deposits, months 1 to 13.
class TSubJudice final : public TRendimentosTributaveis {
public:
    // Month 1 to 13; any other raises std::out_of_range.
    [[nodiscard]] TMonetario& GetDeposito(int Mes) { return FDeposito.Mes(Mes); }
    [[nodiscard]] const TMonetario& GetDeposito(int Mes) const { return FDeposito.Mes(Mes); }
    [[nodiscard]] TMonetarioTotal& GetTotalDeposito() { return FDeposito.Total(); }   // months 1 to 12
    [[nodiscard]] const TSerieMensal& Depositos() const { return FDeposito; }

    void LimpaDepositos() { FDeposito.Limpa(); }
    void Limpa() override;   // income, deductions, tax, then deposits
    // The inherited kinds, then the deposits.
    void Copia(TSubJudice& Destino) const;

    // No deposit of any month above 0. (Zerado covers income, deductions and tax only.)
    [[nodiscard]] bool DepositoZerado() const { return FDeposito.Zerada(); }
    // Deposit of month 13 and deposit total both 0; the same answer, as the total adds the
    // positive deposits.
    [[nodiscard]] bool DepositoTotalZerado() const { return FDeposito.Zerada(); }

    [[nodiscard]] bool GetAlterado() const override;
    void SetAlterado(bool Alterado) override;

private:
    TSerieMensal FDeposito;
};
