#pragma once
#include "model/items/TSerieMensal.h"

class TErros;

// The taxable income, deductions and tax withheld of one item, months 1 to 13 (13 is the 13th
// salary), each kind with its total of months 1 to 12; the year's amount of a kind is its total
// plus month 13. Neither copied nor moved: grids and totals observe its values.
class TRendimentosTributaveis {
public:
    TRendimentosTributaveis() = default;
    virtual ~TRendimentosTributaveis() = default;
    TRendimentosTributaveis(const TRendimentosTributaveis&) = delete;
    TRendimentosTributaveis& operator=(const TRendimentosTributaveis&) = delete;

    // Month 1 to 13; any other raises std::out_of_range.
    [[nodiscard]] TMonetario& GetRendimento(int Mes) { return FRendimento.Mes(Mes); }
    [[nodiscard]] const TMonetario& GetRendimento(int Mes) const { return FRendimento.Mes(Mes); }
    [[nodiscard]] TMonetario& GetDeducao(int Mes) { return FDeducao.Mes(Mes); }
    [[nodiscard]] const TMonetario& GetDeducao(int Mes) const { return FDeducao.Mes(Mes); }
    [[nodiscard]] TMonetario& GetImposto(int Mes) { return FImposto.Mes(Mes); }
    [[nodiscard]] const TMonetario& GetImposto(int Mes) const { return FImposto.Mes(Mes); }
    // Totals of months 1 to 12.
    [[nodiscard]] TMonetarioTotal& GetTotalRendimento() { return FRendimento.Total(); }
    [[nodiscard]] TMonetarioTotal& GetTotalDeducao() { return FDeducao.Total(); }
    [[nodiscard]] TMonetarioTotal& GetTotalImposto() { return FImposto.Total(); }
    // Each kind whole: months 1 to 13, their positive amounts added exactly.
    [[nodiscard]] const TSerieMensal& Rendimentos() const { return FRendimento; }
    [[nodiscard]] const TSerieMensal& Deducoes() const { return FDeducao; }
    [[nodiscard]] const TSerieMensal& Impostos() const { return FImposto; }

    // Every month of the kind 0.
    void LimpaRendimentos() { FRendimento.Limpa(); }
    void LimpaDeducoes() { FDeducao.Limpa(); }
    void LimpaImpostos() { FImposto.Limpa(); }
    virtual void Limpa();
    // Every value of Destino takes the positive amount of the same month and kind.
    void Copia(TRendimentosTributaveis& Destino) const;

    // No income, deduction or tax of any month above 0.
    [[nodiscard]] bool Zerado() const;
    // Month 13 and the total of the kind both 0: the kind has nothing to store.
    [[nodiscard]] bool RendimentoZerado() const { return FRendimento.Zerada(); }
    [[nodiscard]] bool DeducaoZerada() const { return FDeducao.Zerada(); }
    [[nodiscard]] bool ImpostoZerado() const { return FImposto.Zerada(); }

    void SetErros(TErros* Erros) { FErros = Erros; }   // not owned
    [[nodiscard]] TErros* Erros() const { return FErros; }

    // Once true, stays true until SetAlterado(false); otherwise asks the totals and month 13.
    [[nodiscard]] virtual bool GetAlterado() const;
    // For every value and total, and the stored flag; tells no one.
    virtual void SetAlterado(bool Alterado);

private:
    TSerieMensal FRendimento;
    TSerieMensal FDeducao;
    TSerieMensal FImposto;
    TErros* FErros = nullptr;
    mutable bool FAlterado = false;
};
