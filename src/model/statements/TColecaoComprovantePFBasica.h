#pragma once
#include <QString>

#include "model/storage/TColecao.h"

class IDeclaracao;
class TComprovante;

// Base of the collections that keep one row per declaration and individual beneficiary of an
// income statement (the person's boxes, the complementary information). The statement handed to
// each operation gives the row's key: the key of its beneficiary's declaration and the
// beneficiary's number without check digits. Between operations the table shows the rows of the
// collection's own declaration.
class TColecaoComprovantePFBasica : public TColecaoDe<TComprovante> {
public:
    TColecaoComprovantePFBasica(const TColecaoComprovantePFBasica&) = delete;
    TColecaoComprovantePFBasica& operator=(const TColecaoComprovantePFBasica&) = delete;

    // Clears what the table stores of the statement.
    virtual void LimpaDados(TComprovante& Comprovante) = 0;
    // Writes what the statement holds of this table.
    virtual void Salva(TComprovante& Comprovante) = 0;
    // Makes the statement's row current; false when it has none.
    virtual bool Localiza(const TComprovante& Comprovante);
    // Reads the statement's row (LeRegistro), or clears its part (LimpaDados) when it has none;
    // true when the row was found.
    bool Carrega(TComprovante& Comprovante);
    // Deletes the statement's row when it has one. Raises EColecaoError 141; the table is then
    // as it was.
    void Exclui(TComprovante& Comprovante);
    // Deletes every row of the collection's declaration, all or none (EColecaoError 141).
    void ExcluiTodos();
    // Shows the rows of the collection's declaration.
    void FiltraDeclaracao();

    // After a transaction around this collection was rolled back: drops a pending edit and reads
    // the rows again.
    void Desfaz();

protected:
    explicit TColecaoComprovantePFBasica(IDeclaracao& Declaracao);   // Declaracao outlives the collection

    [[nodiscard]] IDeclaracao& Declaracao() const { return FDeclaracao; }
    // Shows the rows of one declaration key; the default is this table's range over E_PRUV_DK and
    // NR_PF.
    virtual void FiltraChave(const QString& Chave);
    // Shows the rows of the statement's declaration when another declaration's are in view (the
    // declaration may have been stored after the collection was made).
    void MostraDeclaracaoDe(const TComprovante& Comprovante);
    // The start of every LeRegistro: false, with the statement's part cleared (LimpaDados), when
    // the table is empty; EColecaoError 21 when the current row is of another declaration.
    bool LeRegistroDe(TComprovante& Comprovante);
    // Appends a row, left in its insert state for the caller to fill.
    void Insere();
    // The statement's row exists, or is appended, in its edit state; the caller fills and posts it.
    void EditaOuInsere(bool Encontrado);

private:
    IDeclaracao& FDeclaracao;   // not owned
    QString FChaveEmVista;      // the declaration key the range was last set for
};
