#pragma once
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "model/declaration/TAnexoFC.h"
#include "model/storage/TColecao.h"
#include "model/values/TErro.h"

class TPruv;

// The fund and club annexes of one declaration (table Anexo), always restricted to that
// declaration's rows by fund number; a search by key puts the restriction back. Annex keys
// (ANEXO_DK) are the next free number of the column, five digits with leading zeros.
class TColecaoAnexo final : public TColecaoDe<TAnexoFC> {
public:
    static QString NomeArquivo();   // "Anexo.db"

    // Opens the table (created when missing) on the declaration's annexes. Raises EDadosError 142,
    // 143 or EEspacoEmDiscoError 150. Declaracao outlives the collection.
    explicit TColecaoAnexo(TPruv& Declaracao);
    ~TColecaoAnexo() override;

    using TColecao::Exclui;

    // The declaration's annexes, by fund number.
    void FiltraDeclaracao();
    // The same restriction on another open table over Anexo (the annex page's grid), with the
    // filter line "E_PRUV_DK = " + the declaration's key.
    void FiltraTabela(TdvTable& Tabela) const;

    // The current row into the annex, with its stored summary; on an empty table the annex is
    // cleared. Raises EColecaoError 20 for a row of another declaration. Bad stored numbers and
    // names go to the shared sink.
    void LeRegistro(TAnexoFC& Anexo) override;
    // The same without the stored summary, for a walk that computes it again; false on an empty
    // table.
    bool LeFundo(TAnexoFC& Anexo);
    // Writes the annex over the current row and posts; nothing while the declaration or the annex
    // has no key. Raises EColecaoError 141.
    void GravaRegistro(TAnexoFC& Anexo);
    // Makes the annex's row current: by its key, or, for an annex without one, by the declaration
    // and the fund's number (the annex then takes the row's key and name). An annex whose key is
    // another declaration's is looked for by that row's fund among this declaration's annexes,
    // and takes the key found there.
    bool Localiza(TAnexoFC& Anexo);
    // Localiza, then reads the row found into the annex (its items collection is let go).
    bool Carrega(TAnexoFC& Anexo);
    // Gives the annex the next free key and appends a row for it (not yet posted).
    void Insere(TAnexoFC& Anexo);
    // Updates the annex's row, or inserts it with a new key together with an empty, up-to-date
    // summary; one transaction.
    void Salva(TAnexoFC& Anexo);
    // Deletes the annex with its items, their judicial rows and its summary, and the beneficiaries
    // (with their income statements) that no item of the declaration has any more; one
    // transaction. Nothing when the annex is not stored.
    void Exclui(TAnexoFC& Anexo);
    // Deletes the items of the declaration left under a fund no longer stored (ChavesSemFundo),
    // with their judicial rows, their summaries and the beneficiaries that no item has any more,
    // as Exclui deletes a fund's; one transaction.
    void ExcluiSemFundo();
    // Deletes every annex of the declaration with its items and their judicial rows, then posts.
    // Summaries and beneficiaries are the caller's.
    void ExcluiTodos();
    // After a rolled-back transaction: drops a pending edit and reads the rows again.
    void Desfaz();
    // The owner keys of the declaration's fund items that are no annex of it (a fund deleted
    // while its items were still being saved), in order. Raises EColecaoError 141.
    [[nodiscard]] QStringList ChavesSemFundo();

    // The last annex read.
    [[nodiscard]] TAnexoFC& GetAnexoAtual() { return FAnexoAtual; }
    // The key of the current row, read alone (empty on an empty table).
    [[nodiscard]] QString ChaveAtual() const;

    [[nodiscard]] static std::vector<TFieldDef> Campos();
    [[nodiscard]] static std::vector<TIndexDef> Indices();

private:
    // The row of the declaration and the fund number given; the table keeps the restriction.
    bool LocalizaFundo(const QString& Tipo, const QString& Numero);
    // The fund's items with their judicial rows, and its summary row; the numbers of the
    // beneficiaries those items had.
    QStringList ExcluiLinhasDoFundo(TAnexoFC& Anexo);
    // The beneficiaries of those numbers that no item has any more; the declaration's summary is
    // then out of date.
    void EliminaBeneficiarios(const QStringList& Numeros);

    TPruv& FDeclaracao;   // not owned
    // Copies of what was read report to a sink of their own: copying is no one's error.
    TErros FErrosInternos;
    TAnexoFC FAnexoAtual;
};
