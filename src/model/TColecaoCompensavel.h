#pragma once
#include <QString>

#include "model/TColecao.h"

class IDeclaracao;
class TComprovantePF;

// The compensable income and tax of the individuals' income statements (table Compvel): the
// shares of each partial-income line that the user put into the taxable box, one row per
// declaration, beneficiary and withholding code, only for a line whose shares are not both 0.
class TColecaoCompensavel final : public TColecao {
public:
    // Creates the table when the database lacks it, opens it and shows the declaration's rows.
    // Raises EDadosError 142 or EEspacoEmDiscoError 150.
    explicit TColecaoCompensavel(IDeclaracao& Declaracao);   // Declaracao outlives the collection

    // Gives each partial-income line its stored shares, brought within the item's amounts; a row
    // whose code no longer has a line is deleted. True when some row was applied. A deletion that
    // fails raises EColecaoError 141 (the table is then as it was).
    bool Carrega(TComprovantePF& Comprovante);
    // Stores the changed lines: shares not both 0 are written, a line back to 0 loses its row.
    // Nothing without a declaration key or a beneficiary number. Raises EColecaoError 141; the
    // table is then as it was.
    void Salva(TComprovantePF& Comprovante);
    // Deletes the row of partial-income line Linha (from 0) when it has one (EColecaoError 141).
    void Exclui(TComprovantePF& Comprovante, int Linha);
    // Deletes every row of the collection's declaration, all or none (EColecaoError 141).
    void ExcluiTodos();
    // Makes the row of partial-income line Linha current; false when it has none.
    bool Localiza(TComprovantePF& Comprovante, int Linha);

    // Shows the rows of the collection's declaration, or of the statement's beneficiary.
    void FiltraDeclaracao();
    void FiltraComprovante(const TComprovantePF& Comprovante);

    // After a transaction around this collection was rolled back: drops a pending edit and reads
    // the rows again.
    void Desfaz();

private:
    IDeclaracao& FDeclaracao;   // not owned
    QString FEmVista;           // the declaration key and root of the statement in view; empty else
};
