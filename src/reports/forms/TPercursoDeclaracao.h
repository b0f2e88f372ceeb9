#pragma once
#include <memory>

#include "model/items/TColecaoPruvItem.h"
#include "model/values/TErro.h"

class TAnexoFC;
class TColecaoPruv;
class TPruv;
class TPruvItem;

// The way the reports walk a declaration: its own items, then, annex by annex, the start of each
// fund or club and that annex's items, in the order asked; an annex without items is passed over
// (its fund gets no page). It works on the report's own copy of the declaration (loaded by key
// from the collection, with its own error sink), so that the declaration open on the screen is
// left as it is.
class TPercursoDeclaracao final {
public:
    enum class TRegistro { Item, InicioFundo, Fim };

    // Loads the copy of Declaracao's stored declaration; a declaration not found leaves the copy
    // empty (the report then prints no line). Raises what the loading raises.
    TPercursoDeclaracao(const TPruv& Declaracao, TColecaoPruv& Colecao, TColecaoPruvItem::TOrdem Ordem);
    ~TPercursoDeclaracao();
    TPercursoDeclaracao(const TPercursoDeclaracao&) = delete;
    TPercursoDeclaracao& operator=(const TPercursoDeclaracao&) = delete;

    [[nodiscard]] TPruv& Declaracao() const { return *FPruv; }

    // Back to the first item of the declaration and its first annex; the count of records taken
    // starts again.
    void Inicia();
    // What the next record is, without taking it; asking again gives the same answer.
    [[nodiscard]] TRegistro Proximo();
    // The item of the next record (Proximo answered Item): of the declaration or of the annex.
    [[nodiscard]] TPruvItem& Item() const;
    // The annex whose start or items are being walked.
    [[nodiscard]] TAnexoFC& Anexo() const { return *FAnexo; }
    // Takes the next record.
    void Avanca();

    // The declaration's number of beneficiaries (TOT_BENEF of its summary).
    [[nodiscard]] int Beneficiarios() const { return FBeneficiarios; }
    // The items taken since Inicia, of the declaration and of every fund walked. The summary
    // leaves out the funds a declarant that no longer administers funds keeps stored, which the
    // walk still takes.
    [[nodiscard]] int ItensTomados() const { return FItensTomados; }
    // Records taken x 100 / the declaration's number of beneficiaries, rounded; 100 at the end.
    [[nodiscard]] int Progresso();

private:
    enum class TFase { Declaracao, InicioAnexo, ItensAnexo, Fim };

    void ProximoAnexo();

    TErros FErros;
    std::unique_ptr<TPruv> FPruv;
    TColecaoPruvItem::TOrdem FOrdem;
    std::unique_ptr<TAnexoFC> FAnexo;
    std::unique_ptr<TPruvItem> FItem;
    std::unique_ptr<TPruvItem> FItemAnexo;
    TFase FFase = TFase::Fim;
    int FTratados = 0;
    int FItensTomados = 0;
    int FBeneficiarios = 0;
};
