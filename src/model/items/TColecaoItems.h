#pragma once
#include <QString>
#include <optional>
#include <vector>

#include "model/storage/TColecao.h"

class TPruvAnexo;
class TPruvItem;

// The base of the collections whose rows hang one to one on an item of one owner (the
// declaration or one of its fund or club annexes), keyed as the item's row: the annex flag
// IN_ANEXO, the owner key E_PRUV/ANEXO_DK and the item key PRUV_ITEM_DK. Between operations the
// table stands on its primary index, restricted to the owner's rows: to those of the owner's key
// of the moment, as an owner may be given another key while the collection lives (the fund page
// moves one owner from fund to fund).
//
// While insert-only writing is on (SetNaoAtualizaAux), Exclui deletes nothing and the subclass
// appends its rows without looking for existing ones.
class TColecaoItems : public TColecao {
public:
    // Dono outlives the collection. The subclass creates and opens the table, then AplicaFiltro.
    explicit TColecaoItems(TPruvAnexo& Dono);
    ~TColecaoItems() override;

    // "1" for the rows of a fund or club annex, "0" for those of the declaration.
    [[nodiscard]] const QString& GetInAnexo() const { return FInAnexo; }

    // Appends an empty row; the caller fills and posts it.
    void Novo();
    // Makes the item's row of this owner (or of the owner given) current; false when there is none.
    // An owner given another key since the last restriction is restricted to anew first.
    bool Localiza(const TPruvItem& Item);
    bool LocalizaEm(const TPruvItem& Item, const QString& InAnexo, const QString& ChaveDono);
    // Loads the item's values of this table; without a row they are cleared. True when found.
    bool Carrega(TPruvItem& Item);
    // The same for a row of another owner of the declaration; the collection stays restricted to
    // its own owner afterwards.
    bool CarregaDe(TPruvItem& Item, const QString& InAnexo, const QString& ChaveDono);
    // Deletes the item's row, unless insert-only writing is on. Posts nothing.
    void Exclui(const TPruvItem& Item);
    // Deletes every row of the owner, then posts.
    void ExcluiTodos();
    // Restricts the table to the owner's rows, on the primary index.
    void AplicaFiltro();
    // After a rolled-back transaction: drops a pending edit and reads the rows again.
    void Desfaz();

    // The subclass's values: read from the current row, cleared in the item, written (inserting or
    // updating the item's row).
    virtual void LeValores(TPruvItem& Item) = 0;
    virtual void LimpaValores(TPruvItem& Item) = 0;
    virtual void GravaValores(TPruvItem& Item) = 0;

    // The three key columns that lead every such table, and its primary index over them.
    [[nodiscard]] static std::vector<TFieldDef> CamposChave();
    [[nodiscard]] static TIndexDef IndicePrimario();

protected:
    [[nodiscard]] TPruvAnexo& Dono() const { return FDono; }
    // Writes the three key columns of the current row for the item.
    void GravaChave(const TPruvItem& Item);

private:
    QString FInAnexo;
    TPruvAnexo& FDono;                       // not owned
    std::optional<QString> FChaveFiltrada;   // the owner's key AplicaFiltro restricted the rows to
};
