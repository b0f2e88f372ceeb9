#pragma once
#include <QString>

#include "model/values/TTexto.h"

class IItensBeneficiario;
class TBeneficiarioPruv;
class TPruvItem;

// The income statement that the paying source gives one beneficiary for the calendar year:
// assembled from every item of the beneficiary, in the declaration and in its annexes, and
// completed with what the user types (stored apart and loaded on top). The beneficiary's
// declaration gives the year and the key of every stored part. Amounts are taken once: changes
// of the items after assembly reach the statement only when it is cleared and assembled again.
class TComprovante {
public:
    virtual ~TComprovante() = default;
    TComprovante(const TComprovante&) = delete;
    TComprovante& operator=(const TComprovante&) = delete;

    // The beneficiary the statement was made for; whatever it holds when the statement is
    // assembled is what the statement is of.
    [[nodiscard]] TBeneficiarioPruv& GetBeneficiario() const { return FBeneficiario; }
    // The calendar year and PRUV_DK of the beneficiary's declaration; empty without one.
    [[nodiscard]] QString GetAno() const;
    [[nodiscard]] QString GetChaveDeclaracao() const;

    // Complementary information: the ordinary text (stored with IN4 "0") and the text for the
    // codes exclusive to federal public bodies (IN4 "1").
    [[nodiscard]] TTexto& GetInformacoesComplementares() { return FInfoCompl; }
    [[nodiscard]] const TTexto& GetInformacoesComplementares() const { return FInfoCompl; }
    [[nodiscard]] TTexto& GetInformacoesComplementaresIN4() { return FInfoComplIN4; }
    [[nodiscard]] const TTexto& GetInformacoesComplementaresIN4() const { return FInfoComplIN4; }

    // Items added since creation or the last Limpa, whatever their code.
    [[nodiscard]] int QuantidadeItens() const { return FQuantidadeItens; }
    // An item of the declaration itself (not of an annex) was added.
    [[nodiscard]] bool PossuiItemDeclaracao() const { return FPossuiItemDeclaracao; }

    // Adds every item of the beneficiary that Itens hands over (AdicionaItem for each). Does not
    // clear first: a statement assembled before is cleared with Limpa.
    void AdicionaItens(IItensBeneficiario& Itens);

    // Once true, stays true until SetAlterado(false). Assembly and loading count as changes:
    // callers reset the flag once a statement is loaded.
    [[nodiscard]] virtual bool GetAlterado() const { return FAlterado; }
    virtual void SetAlterado(bool Alterado) { FAlterado = Alterado; }
    // The statement has income to show.
    [[nodiscard]] virtual bool PossuiRendimentos() const { return true; }
    // The statement may be printed.
    [[nodiscard]] virtual bool PodeImprimir() const { return true; }
    // Counts the item and notes whether it is of the declaration itself; each kind of statement
    // then takes its amounts.
    virtual void AdicionaItem(const TPruvItem& Item);
    // Back to the state after creation, for the same beneficiary object.
    virtual void Limpa();

protected:
    explicit TComprovante(TBeneficiarioPruv& Beneficiario);   // outlives the statement

    mutable bool FAlterado = false;

private:
    TBeneficiarioPruv& FBeneficiario;   // not owned
    TTexto FInfoCompl;
    TTexto FInfoComplIN4;
    int FQuantidadeItens = 0;
    bool FPossuiItemDeclaracao = false;
};
