#pragma once
#include "model/people/TContribuinte.h"

class IDeclaracao;

// The beneficiary of an item: a CPF or a CNPJ (the kind follows the number typed) with its name,
// tied to the declaration that gives its income statements their year and key.
class TBeneficiarioPruv final : public TContribuinte {
public:
    // Declaracao may be null (a beneficiary of no declaration) and must outlive this object;
    // the beneficiary takes its sink when it has one.
    explicit TBeneficiarioPruv(IDeclaracao* Declaracao);

    [[nodiscard]] IDeclaracao* GetDeclaracao() const { return FDeclaracao; }

    // The kind as the tables keep it: "1" a CPF, "2" a CNPJ, "0" neither.
    [[nodiscard]] QString TipoArmazenado() const;

    // The taxpayer's check; when that passes, 12 for a beneficiary of no declaration.
    [[nodiscard]] std::uint8_t Verifica() const override;

private:
    IDeclaracao* FDeclaracao;   // not owned
};
