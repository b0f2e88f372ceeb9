#pragma once
#include <QString>
#include <QStringList>
#include <QVariantList>

#include "model/storage/TColecao.h"

class IDeclaracao;
class TComprovante;

// Base of the collections that keep one row per line of an income statement (a company's line
// natures, a person's compensable shares): the primary index runs over the declaration key, the
// beneficiary's number without check digits and the columns that tell the line; a row exists
// only for a line that holds something to store. The statement handed to each operation gives
// the declaration key (of its beneficiary's declaration) and the number.
class TColecaoLinhasComprovante : public TColecao {
public:
    // Applies the statement's rows to its lines; a row whose line no longer exists (the item
    // changed or went away) is deleted. True when some row was applied. A deletion that fails
    // raises EColecaoError 141, the table then as it was.
    bool Carrega(TComprovante& Comprovante);
    // Stores the changed lines: a line with something to store is written, one without loses its
    // row. Nothing without a declaration key or a beneficiary number. Raises EColecaoError 141;
    // the table is then as it was.
    void Salva(TComprovante& Comprovante);
    // Deletes the row of line Linha (from 0) when it has one (EColecaoError 141).
    void Exclui(TComprovante& Comprovante, int Linha);
    // Deletes every row of the collection's declaration, all or none (EColecaoError 141).
    void ExcluiTodos();
    // Makes the row of line Linha current; false when it has none.
    bool Localiza(TComprovante& Comprovante, int Linha);

    // Shows the rows of the collection's declaration, or of the statement's beneficiary.
    void FiltraDeclaracao();
    void FiltraComprovante(const TComprovante& Comprovante);

    // After a transaction around this collection was rolled back: drops a pending edit and reads
    // the rows again.
    void Desfaz();

protected:
    // ColunaRaiz: the number's column. InicioDeclaracao and FimDeclaracao: the range, after the
    // declaration key, that holds every row of one declaration. ColunasLinha: the key columns
    // after the number. Declaracao outlives the collection.
    TColecaoLinhasComprovante(IDeclaracao& Declaracao, QString ColunaRaiz, QVariantList InicioDeclaracao,
                              QVariantList FimDeclaracao, QStringList ColunasLinha);

    // The statement's lines as this table keeps them.
    [[nodiscard]] virtual int QuantidadeLinhas(TComprovante& Comprovante) const = 0;
    // The values of ColunasLinha for line Linha.
    [[nodiscard]] virtual QVariantList ChaveLinha(TComprovante& Comprovante, int Linha) const = 0;
    [[nodiscard]] virtual bool LinhaAlterada(TComprovante& Comprovante, int Linha) const = 0;
    // The line holds nothing to store.
    [[nodiscard]] virtual bool LinhaVazia(TComprovante& Comprovante, int Linha) const = 0;
    // The line of the current row, -1 when the statement has none.
    [[nodiscard]] virtual int LinhaDoRegistro(TComprovante& Comprovante) const = 0;
    virtual void LeValores(TComprovante& Comprovante, int Linha) = 0;      // from the current row
    virtual void GravaValores(TComprovante& Comprovante, int Linha) = 0;   // into the row being edited

private:
    IDeclaracao& FDeclaracao;   // not owned
    QString FColunaRaiz;
    QVariantList FInicioDeclaracao;
    QVariantList FFimDeclaracao;
    QStringList FColunasLinha;
    QString FEmVista;   // the declaration key and number of the statement in view; empty else
};
