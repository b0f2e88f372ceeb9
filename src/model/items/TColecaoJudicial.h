#pragma once
#include <QString>
#include <memory>
#include <vector>

#include "model/items/TColecaoItems.h"
#include "model/items/TSerieArmazenada.h"
#include "platform/db/sqlite/TInsercao.h"

// The values of an item that follow from judicial proceedings (table Judicial): income, deductions
// and tax whose liability is suspended, judicial deposits, and tax compensated by judicial
// decision of the calendar year and of earlier years, months 1 to 13. An item has at most one row,
// and only while one of those values is not zero. Made and driven by the item collection of the
// same owner.
//
// The sub judice values and the compensations are admitted when the item's code admits sub
// judice values and its beneficiary is not a CNPJ (the deductions only when the code also admits
// deductions); month 13 only for the codes that keep a 13th salary. What is not admitted is 0 in
// the item and in the row, on reading and on writing; the deposits are read whatever the rules.
class TColecaoJudicial final : public TColecaoItems {
public:
    static QString NomeArquivo();   // "Judicial.db"

    // Opens the table (created when missing) restricted to the owner's rows. Raises EDadosError 142
    // or EEspacoEmDiscoError 150.
    explicit TColecaoJudicial(TPruvAnexo& Dono);
    ~TColecaoJudicial() override;

    void LeValores(TPruvItem& Item) override;
    // The same from a row read elsewhere, whose columns are those of the table.
    static void LeValoresDe(const TColunaMonetaria& Coluna, TPruvItem& Item);
    // The same from a query's row that gives the table's columns from Inicio on.
    static void LeValoresDe(const TComando& Linha, int Inicio, TPruvItem& Item);
    // Every sub judice value, deposit and compensation of every month 0.
    void LimpaValores(TPruvItem& Item) override;
    // Updates the item's row, or appends one (always while insert-only writing is on), then posts.
    // Raises EColecaoError 141.
    void GravaValores(TPruvItem& Item) override;
    // Inserts the item's row straight from its values by a prepared INSERT, for insert-only bulk
    // loads: no dataset, no read-back. Raises EColecaoError 141.
    void InsereDireto(TPruvItem& Item);

    // The key columns, then the six series of thirteen months in the order above.
    [[nodiscard]] static std::vector<TFieldDef> Campos();
    [[nodiscard]] static std::vector<TIndexDef> Indices();

private:
    std::unique_ptr<TInsercao> FInsercao;   // made on the first direct insert
};
