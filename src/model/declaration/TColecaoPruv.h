#pragma once
#include <QString>
#include <memory>
#include <vector>

#include "model/declaration/TPruv.h"
#include "model/storage/TColecao.h"

class TColecaoResponsavel;

// Every stored declaration (table Pruv), one row per declarant and year, with the persons
// responsible for filling them in (TColecaoResponsavel, shared by all declarations). Adds a
// declaration (refusing a second one of the same declarant and year), finds it by key or by
// declarant and year, loads it into a TPruv, writes it back, and deletes it with everything that
// belongs to it. Keys (PRUV_DK) are the next free number of the column, five digits with leading
// zeros; "00000" or empty means not stored.
class TColecaoPruv final : public TColecaoDe<TPruv> {
public:
    static QString NomeArquivo();   // "Pruv.db"

    // Opens the table (created when missing) and the responsible persons' table. Raises
    // EDadosError 142 or EEspacoEmDiscoError 150.
    TColecaoPruv();
    ~TColecaoPruv() override;

    using TColecao::Atualiza;
    using TColecao::Exclui;

    // The current row into the declaration, each value through its collecting setter (faults go
    // to the declaration's sink, which the caller gives it first: without one the first fault is
    // raised), then its responsible person from the persons' table and both summaries from the
    // stored ones. The natures offered are those of the declarant and year read. Raises EPruvError
    // 46 for a stored year 2003 without the special situation: the declaration is then half
    // loaded, and the caller drops it (Limpa).
    void LeRegistro(TPruv& Pruv) override;
    // Writes the declaration over the current row (an appended one stays being inserted) and
    // posts; nothing without a key or a year. The responsible person is written (and stored in
    // the persons' table) only when its CPF and name pass their checks; one transaction.
    void GravaRegistro(TPruv& Pruv);
    // Makes the declaration's row current: by its key, or, for a declaration without one, by
    // declarant and year (the key is not read). Not found by declarant and year, a stored name of
    // the same person or company (any establishment, any year) is given to a declaration without
    // name.
    bool Localiza(TPruv& Pruv);
    // Localiza, then the declaration's collections are let go and the row read into it (see
    // LeRegistro for 46).
    bool Carrega(TPruv& Pruv);
    // Carrega for a declaration read to be written (an import), at a cost that does not grow with
    // what it holds: when the row found is the one of the declaration's key, its collections and
    // both summaries stay as its writes left them (the summaries hold those writes already) and
    // only the row and the responsible person are read; any other row is read as Carrega reads
    // it, but for the annexes' summaries, which the total then lacks (CalculaResumo(false)).
    bool Recarrega(TPruv& Pruv);
    // Stores a new declaration with the next key and a complete, empty summary; one transaction
    // (on failure the declaration has no key again). Raises EPruvError 74 (CNPJ) or 75 (CPF) with
    // the masked number and the year when the declarant has a declaration of that year; nothing
    // is written then.
    void Inclui(TPruv& Pruv);
    // Localiza, then GravaRegistro; nothing when not stored.
    void Atualiza(TPruv& Pruv);
    // Deletes the stored declaration with its items and judicial rows, annexes, beneficiaries,
    // income statements (with their compensable values and complementary information) and
    // summaries: one transaction, every row or none. The responsible person stays (it may serve
    // other declarations). Nothing when not stored. The declaration's collections are let go.
    void Exclui(TPruv& Pruv);
    // The declaration's responsible person from the persons' table by its CPF; every field but
    // the CPF cleared when none is stored.
    void CarregaResponsavel(TPruv& Pruv);
    // Restricts another open table over Pruv to the CNPJ declarations of the year whose number has
    // the first eight digits of Ni (every establishment of one company), with the filter line
    // "AN_RETENCA = " + the year.
    static void FiltraAno(const QString& Ni, const QString& Ano, TdvTable& Tabela);

    [[nodiscard]] TColecaoResponsavel& GetColecaoResponsavel() { return *FColecaoResponsavel; }

    [[nodiscard]] static std::vector<TFieldDef> Campos();
    [[nodiscard]] static std::vector<TIndexDef> Indices();

private:
    void LeCampos(TPruv& Pruv);   // LeRegistro but for the summaries
    void GravaCampos(TPruv& Pruv);
    // After a rolled-back transaction: drops a pending edit and reads the rows again.
    void Desfaz();

    std::unique_ptr<TColecaoResponsavel> FColecaoResponsavel;
};
