#pragma once
#include <memory>

#include "reports/listings/TFoRelatoLista.h"

class TParteDecisaoJudicial;
class TPruvItem;

// The list of beneficiaries ("Relatório com Lista de Beneficiários"): one line per item, in the
// order of the beneficiaries, with the code, the beneficiary and the year's income, deductions
// and tax withheld (the 13th salary included, marked "**"), under it the amounts under a court
// decision when the item has any; the declaration's items first, then each fund's on pages of
// their own; at the end the number of beneficiaries and codes.
class TFoRelatoListaBenef final : public TFoRelatoLista {
public:
    static constexpr char Nome[] = "FoRelatoListaBenef";
    static constexpr qreal AlturaLinha = 23;
    static constexpr qreal AlturaComDecisao = 62;

    TFoRelatoListaBenef(const TPruv& Declaracao, TColecaoPruv& Colecao);
    ~TFoRelatoListaBenef() override;

    [[nodiscard]] TRelatorio& QRRelatoListaBenef() const { return Relatorio(); }

    // The detail from one item.
    void SetaValoresPruvItem(const TPruvItem& Item);
    // Its court-decision part; shown only when the item has such amounts.
    void SetaValoresSubJudice(const TPruvItem& Item);

private:
    void TomaItem(const TPruvItem& Item) override;

    TBanda* FDetalhe;
    TRotulo* FNome;
    TRotulo* FNi;
    TRotulo* FCodigo;
    TRotulo* FAsterisco;
    TRotulo* FRendimento;
    TRotulo* FDeducao;
    TRotulo* FImposto;
    std::unique_ptr<TParteDecisaoJudicial> FDecisao;
    TBanda* FSumario;
    TRotulo* FTotalBeneficiarios;
    bool FDecimoTerceiro = false;
};

// Previews or prints the list of beneficiaries of the stored declaration (codes 5 and 6).
void ImprimeRelatoListaBenef(const TPruv& Declaracao, TColecaoPruv& Colecao, bool Visualiza);
