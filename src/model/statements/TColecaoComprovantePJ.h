#pragma once
#include "model/statements/TColecaoLinhasComprovante.h"

// The natures of income that the user typed over the default for lines of the companies' income
// statements (table ComprPj): one row per declaration, beneficiary, withholding code and month,
// only for a line whose nature is not its code's description. Every operation takes a
// TComprovantePJ; another statement raises std::bad_cast.
class TColecaoComprovantePJ final : public TColecaoLinhasComprovante {
public:
    // Creates the table when the database lacks it, opens it and shows the declaration's rows.
    // Raises EDadosError 142 or EEspacoEmDiscoError 150. A stored MES that is not a number from
    // 0 to 255 makes Carrega raise EColecaoError 141.
    explicit TColecaoComprovantePJ(IDeclaracao& Declaracao);   // Declaracao outlives the collection
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
