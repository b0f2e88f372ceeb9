#pragma once
#include "model/statements/TColecaoComprovantePFBasica.h"

// The boxes of the individuals' income statements that the user types (table ComprPf: box 2's
// nature when it is not the default, box 3 lines 2 to 4, box 4 lines 1 to 5, 7 and 8 and the
// description of line 8), one row per declaration and beneficiary. Every operation takes a
// TComprovantePF; another statement raises std::bad_cast.
class TColecaoComprovantePF final : public TColecaoComprovantePFBasica {
public:
    // Creates the table when the database lacks it, opens it and shows the declaration's rows.
    // Raises EDadosError 142 or EEspacoEmDiscoError 150.
    explicit TColecaoComprovantePF(IDeclaracao& Declaracao);   // Declaracao outlives the collection
    // The columns and indexes of its table, made by the constructor when missing.
    [[nodiscard]] static std::vector<TFieldDef> Campos();
    [[nodiscard]] static std::vector<TIndexDef> Indices();

    // Reads the current row; an empty table clears the statement's typed boxes. A row of another
    // declaration raises EColecaoError 21.
    void LeRegistro(TComprovante& Comprovante) override;
    // Boxes 3 and 4 back to 0 and the description emptied; box 2 keeps its text.
    void LimpaDados(TComprovante& Comprovante) override;
    // Inserts or updates the statement's row; nothing without a declaration key or a beneficiary
    // number. Raises EColecaoError 141; the table is then as it was.
    void Salva(TComprovante& Comprovante) override;
};
