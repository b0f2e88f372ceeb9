#pragma once
#include "model/items/TSerieMensal.h"

class TErros;

// The tax of one item compensated by judicial decision, of the calendar year and of earlier
// years, months 1 to 13. Neither copied nor moved: grids and totals observe its values.
class TCompensacao final {
public:
    TCompensacao() = default;
    TCompensacao(const TCompensacao&) = delete;
    TCompensacao& operator=(const TCompensacao&) = delete;

    // Month 1 to 13; any other raises std::out_of_range.
    [[nodiscard]] TMonetario& GetCompensacaoAno(int Mes) { return FAno.Mes(Mes); }
    [[nodiscard]] const TMonetario& GetCompensacaoAno(int Mes) const { return FAno.Mes(Mes); }
    [[nodiscard]] TMonetario& GetCompensacaoAnosAnteriores(int Mes) { return FAnosAnteriores.Mes(Mes); }
    [[nodiscard]] const TMonetario& GetCompensacaoAnosAnteriores(int Mes) const { return FAnosAnteriores.Mes(Mes); }
    // Totals of months 1 to 12.
    [[nodiscard]] TMonetarioTotal& GetTotalCompensacaoAno() { return FAno.Total(); }
    [[nodiscard]] TMonetarioTotal& GetTotalCompensacaoAnosAnteriores() { return FAnosAnteriores.Total(); }
    [[nodiscard]] const TSerieMensal& CompensacoesAno() const { return FAno; }
    [[nodiscard]] const TSerieMensal& CompensacoesAnosAnteriores() const { return FAnosAnteriores; }

    void LimpaCompensacaoAno() { FAno.Limpa(); }
    void LimpaCompensacaoAnosAnteriores() { FAnosAnteriores.Limpa(); }
    void Limpa();
    // Every value of Destino takes the positive amount of the same month and kind.
    void Copia(TCompensacao& Destino) const;

    // No compensation of either kind above 0.
    [[nodiscard]] bool Zerado() const { return FAno.Zerada() && FAnosAnteriores.Zerada(); }
    // Month 13 and the total of the kind both 0.
    [[nodiscard]] bool CompensacaoAnoZerada() const { return FAno.Zerada(); }
    [[nodiscard]] bool CompensacaoAnosAnterioresZerada() const { return FAnosAnteriores.Zerada(); }

    void SetErros(TErros* Erros) { FErros = Erros; }   // not owned
    [[nodiscard]] TErros* Erros() const { return FErros; }

    // Once true, stays true until SetAlterado(false); otherwise asks the totals and month 13.
    [[nodiscard]] bool GetAlterado() const;
    void SetAlterado(bool Alterado);

private:
    TSerieMensal FAno;
    TSerieMensal FAnosAnteriores;
    TErros* FErros = nullptr;
    mutable bool FAlterado = false;
};
