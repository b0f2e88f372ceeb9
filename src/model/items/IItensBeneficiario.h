#pragma once
#include <functional>

class TBeneficiarioPruv;
class TPruvItem;

// The items of one beneficiary in its declaration and in all the declaration's annexes, as an
// income statement is assembled from them. The declaration's item collection implements it.
class IItensBeneficiario {
public:
    virtual ~IItensBeneficiario() = default;

    // Calls Visita once for each item of Beneficiario's declaration, of any owner, whose
    // beneficiary has Beneficiario's number, in withholding-code order. The item handed over may
    // be one object read again for every row: Visita copies what it keeps.
    virtual void ParaCadaItem(const TBeneficiarioPruv& Beneficiario,
                              const std::function<void(const TPruvItem&)>& Visita) = 0;
};
