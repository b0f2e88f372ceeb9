#pragma once
#include <QString>
#include <optional>
#include <vector>

#include "model/declaration/TResumo.h"
#include "model/storage/TColecao.h"

class IDeclaracao;

// The summaries of one declaration (table Resumo): one row for the declaration's own items and
// one for each of its fund or club annexes, with the number of items, nine money totals and
// whether the totals are up to date. The owner of a summary decides its row: the annex flag
// IN_ANEXO ("1" for an annex) and the owner's key.
class TColecaoResumo final : public TColecaoDe<TResumo> {
public:
    static QString NomeArquivo();   // "Resumo.db"

    // Opens the table (created when missing) restricted to the declaration's rows. Raises
    // EDadosError 142 or EEspacoEmDiscoError 150. Declaracao outlives the collection.
    explicit TColecaoResumo(IDeclaracao& Declaracao);
    ~TColecaoResumo() override;

    // The declaration's rows, on the primary index: its own first, then the annexes by key.
    void AplicaFiltro();
    // AplicaFiltro again when the declaration's key is no longer the one the rows were
    // restricted to: the collection outlives the declarations loaded into its owner in turn.
    void AcompanhaDeclaracao();
    // Makes the row of the summary's owner current; false when there is none.
    bool Localiza(const TResumo& Resumo);
    // The current row into the summary; on an empty table the summary is zeroed. Raises
    // EColecaoError 22 for a row of another declaration.
    void LeRegistro(TResumo& Resumo) override;
    // All totals 0 and not up to date.
    static void Limpa(TResumo& Resumo);
    // Loads the owner's row; without one the summary is zeroed. True when found.
    bool Carrega(TResumo& Resumo);
    void Novo();
    using TColecao::Grava;
    // Updates or appends the owner's row and posts; nothing when the declaration or the owner has
    // no key yet. A negative total is stored as 0. Raises EColecaoError 141, or 55 for a fund
    // that is no stored fund of the declaration (nothing written).
    void Grava(TResumo& Resumo);
    // A fund was deleted: the next summary of a fund looks for its fund again.
    void EsqueceFundoConferido();
    // The owner's number and name into its row, when it has one; its totals stay as stored.
    // Raises EColecaoError 141.
    void GravaDeclarante(const TResumo& Resumo);
    // Deletes every row of the declaration, then posts.
    void ExcluiTodos();
    // After a rolled-back transaction: drops a pending edit and reads the rows again.
    void Desfaz();

    // Restricts another open table over Resumo (the summary page's) to the declaration's rows, on
    // the index IPruv: the declaration's own row first, then the annexes by fund number.
    static void Filtra(const IDeclaracao& Declaracao, TdvTable& Tabela);

    [[nodiscard]] static std::vector<TFieldDef> Campos();
    [[nodiscard]] static std::vector<TIndexDef> Indices();

private:
    void ConfereDono(const TResumo& Resumo);

    IDeclaracao& FDeclaracao;                // not owned
    std::optional<QString> FChaveFiltrada;   // the key AplicaFiltro restricted the rows to
    // The declaration's and the fund's key last found stored: a summary written again for the
    // same fund (each line of an import) does not look for it again.
    std::optional<std::pair<QString, QString>> FFundoConferido;
};
