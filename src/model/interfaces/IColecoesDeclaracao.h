#pragma once
#include "model/interfaces/IDeclaracao.h"

class TBeneficiarioPruv;
class TColecaoBeneficiario;
class TColecaoResumo;
class TPruvAnexo;
class TResumo;

// What the item, beneficiary and summary collections of a declaration ask of it, beyond what its
// items ask (IDeclaracao). The declaration implements it; its beneficiary and summary collections
// are shared by the item collections of the declaration and of all its annexes, and outlive them.
class IColecoesDeclaracao : public IDeclaracao {
public:
    // The declaration itself as the owner of its own items; its GetItens answers, for the whole
    // declaration, whether a beneficiary still has items.
    [[nodiscard]] virtual TPruvAnexo& GetDonoDeclaracao() = 0;
    // The beneficiaries (Benef) and the summaries (Resumo) of the declaration.
    [[nodiscard]] virtual TColecaoBeneficiario& GetColecaoBeneficiario() = 0;
    [[nodiscard]] virtual TColecaoResumo& GetColecaoResumo() = 0;
    // The totals of the declaration together with all its annexes.
    [[nodiscard]] virtual TResumo& GetResumoTotal() = 0;
    // Deletes the stored income statement of a beneficiary that has no item left: the statement
    // of its kind (a person's or a company's) is loaded and deleted with its typed data.
    virtual void ExcluiComprovante(TBeneficiarioPruv& Beneficiario) = 0;
};
