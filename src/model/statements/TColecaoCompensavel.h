#pragma once
#include "model/statements/TColecaoLinhasComprovante.h"

// The compensable income and tax of the individuals' income statements (table Compvel): the
// shares of each partial-income line that the user put into the taxable box, one row per
// declaration, beneficiary and withholding code, only for a line whose shares are not both 0.
// Shares read back are brought within the item's amounts. Every operation takes a
// TComprovantePF; another statement raises std::bad_cast.
class TColecaoCompensavel final : public TColecaoLinhasComprovante {
public:
    // Creates the table when the database lacks it, opens it and shows the declaration's rows.
    // Raises EDadosError 142 or EEspacoEmDiscoError 150.
    explicit TColecaoCompensavel(IDeclaracao& Declaracao);   // Declaracao outlives the collection
    // The columns and indexes of its table, made by the constructor when missing.
    [[nodiscard]] static std::vector<TFieldDef> Campos();
    [[nodiscard]] static std::vector<TIndexDef> Indices();

protected:
    [[nodiscard]] int QuantidadeLinhas(TComprovante& Comprovante) const override;
    [[nodiscard]] QVariantList ChaveLinha(TComprovante& Comprovante, int Linha) const override;
    [[nodiscard]] bool LinhaAlterada(TComprovante& Comprovante, int Linha) const override;
    [[nodiscard]] bool LinhaVazia(TComprovante& Comprovante, int Linha) const override;
    [[nodiscard]] int LinhaDoRegistro(TComprovante& Comprovante) const override;
    void LeValores(TComprovante& Comprovante, int Linha) override;
    void GravaValores(TComprovante& Comprovante, int Linha) override;
};
