#pragma once
#include <QString>

#include "model/TColecao.h"

class IDeclaracao;
class TComprovantePJ;

// The natures of income that the user typed over the default for lines of the companies' income
// statements (table ComprPj): one row per declaration, beneficiary, withholding code and month,
// only for a line whose nature is not its code's description.
class TColecaoComprovantePJ final : public TColecao {
public:
    // Creates the table when the database lacks it, opens it and shows the declaration's rows.
    // Raises EDadosError 142 or EEspacoEmDiscoError 150.
    explicit TColecaoComprovantePJ(IDeclaracao& Declaracao);   // Declaracao outlives the collection

    // Gives each line of the statement its stored nature; a row whose code and month no longer
    // have a line (the item changed or went away) is deleted. True when some row was applied.
    // A MES that is not a number from 0 to 255, or a deletion that fails, raises
    // EColecaoError 141 (the table is then as it was).
    bool Carrega(TComprovantePJ& Comprovante);
    // Stores the changed lines: a typed nature is written, a default one loses its row. Nothing
    // without a declaration key or a beneficiary number. Raises EColecaoError 141; the table is
    // then as it was.
    void Salva(TComprovantePJ& Comprovante);
    // Deletes the row of line Linha (from 0) when it has one (EColecaoError 141).
    void Exclui(TComprovantePJ& Comprovante, int Linha);
    // Deletes every row of the collection's declaration, all or none (EColecaoError 141).
    void ExcluiTodos();
    // Makes the row of line Linha current; false when it has none.
    bool Localiza(const TComprovantePJ& Comprovante, int Linha);

    // Shows the rows of the collection's declaration, or of the statement's beneficiary.
    void FiltraDeclaracao();
    void FiltraComprovante(const TComprovantePJ& Comprovante);

    // After a transaction around this collection was rolled back: drops a pending edit and reads
    // the rows again.
    void Desfaz();

private:
    IDeclaracao& FDeclaracao;   // not owned
    QString FEmVista;           // the declaration key and root of the statement in view; empty else
};
