#pragma once
#include "model/codes/TCodigoRetencao.h"
#include "model/values/TMonetario.h"

class TPruvItem;

// The yearly amounts of one item, taken once when an income statement is assembled, so that the
// statement's boxes are summed from them; later changes of the item do not reach them. "Total"
// is the total of months 1 to 12; each amount is read by its positive reading. The remainders of
// a partial-income line observe the income and the tax, so an object is neither copied nor moved.
class TTotaisPruvItem final {
public:
    explicit TTotaisPruvItem(const TPruvItem& Item);
    TTotaisPruvItem(const TTotaisPruvItem&) = delete;
    TTotaisPruvItem& operator=(const TTotaisPruvItem&) = delete;

    [[nodiscard]] const TCodigoRetencao& GetCodigo() const { return FCodigo; }   // the item's copy
    [[nodiscard]] TMonetario& GetRendimento() { return FRendimento; }
    [[nodiscard]] const TMonetario& GetRendimento() const { return FRendimento; }
    // Tax withheld with the compensations of the year and of earlier years.
    [[nodiscard]] TMonetario& GetImposto() { return FImposto; }
    [[nodiscard]] const TMonetario& GetImposto() const { return FImposto; }
    // Total and month 13.
    [[nodiscard]] const TMonetario& GetCompensacaoAnosAnteriores() const { return FCompensacaoAnosAnteriores; }
    // Month 13's income - deductions - tax with compensations; may be negative.
    [[nodiscard]] const TMonetario& GetLiquido13() const { return FLiquido13; }
    // Month 13's sub judice income - sub judice deductions - deposit; may be negative.
    [[nodiscard]] const TMonetario& GetLiquido13SubJudice() const { return FLiquido13SubJudice; }
    [[nodiscard]] const TMonetario& GetRendimentoSubJudice() const { return FRendimentoSubJudice; }
    [[nodiscard]] const TMonetario& GetImpostoSubJudice() const { return FImpostoSubJudice; }
    [[nodiscard]] const TMonetario& GetDepositos() const { return FDepositos; }
    [[nodiscard]] const TMonetario& GetDeducoes() const { return FDeducoes; }
    [[nodiscard]] const TMonetario& GetDeducoesSubJudice() const { return FDeducoesSubJudice; }

private:
    TCodigoRetencao FCodigo;
    TMonetario FRendimento;
    TMonetario FImposto;
    TMonetario FCompensacaoAnosAnteriores;
    TMonetario FLiquido13;
    TMonetario FLiquido13SubJudice;
    TMonetario FRendimentoSubJudice;
    TMonetario FImpostoSubJudice;
    TMonetario FDepositos;
    TMonetario FDeducoes;
    TMonetario FDeducoesSubJudice;
};
