#pragma once
#include <array>

#include "model/values/TMonetario.h"

class TPruvAnexo;
class TPruvItem;

// The totals of one owner of items (the declaration or one fund annex), or of the declaration
// with all its annexes: one row of the summary table. Values are read by their positive amount.
class TResumo final {
public:
    static constexpr int QuantidadeValores = 10;

    explicit TResumo(TPruvAnexo* Dono);   // Dono is not owned
    TResumo(const TResumo&) = delete;
    TResumo& operator=(const TResumo&) = delete;

    // True when the totals were made over every item.
    [[nodiscard]] bool GetOK() const { return FOK; }
    void SetOK(bool OK) { FOK = OK; }
    // The last answer of PossuiSubJudice.
    [[nodiscard]] bool GetSubJudice() const { return FSubJudice; }
    [[nodiscard]] TPruvAnexo* GetDono() const { return FDono; }

    // Each named after its column of the summary table.
    [[nodiscard]] TNumero& TOT_BENEF() { return FTotBenef; }    // items, in whole units
    [[nodiscard]] TMonetario& TOT_REND() { return FTotRend; }   // months 1 to 13 each
    [[nodiscard]] TMonetario& TOT_DED() { return FTotDed; }
    [[nodiscard]] TMonetario& TOT_IRRF() { return FTotIrrf; }
    [[nodiscard]] TMonetario& TOT_ANO_ATU() { return FTotAnoAtu; }   // compensations of the year
    [[nodiscard]] TMonetario& TOT_ANO_ANT() { return FTotAnoAnt; }   // of earlier years
    [[nodiscard]] TMonetario& TOT_REND_SUBJUD() { return FTotRendSubJud; }
    [[nodiscard]] TMonetario& TOT_DED_SUBJUD() { return FTotDedSubJud; }
    [[nodiscard]] TMonetario& TOT_IRRF_SUBJUD() { return FTotIrrfSubJud; }
    [[nodiscard]] TMonetario& TOT_DEP_SUBJUD() { return FTotDepSubJud; }
    // The ten in table order, from TOT_BENEF (0) to TOT_DEP_SUBJUD (9).
    [[nodiscard]] TMonetario& Valor(int Indice) { return *Valores().at(Indice); }

    // OK false and the ten values 0.
    void Zera();
    // Adds Outro's values into these; OK only when both were.
    void Soma(TResumo& Outro);
    // Destino takes these values and OK.
    void Copia(TResumo& Destino);
    // Any sub judice total or compensation above 0; kept as SubJudice.
    bool PossuiSubJudice();
    // Brings the totals from the item's former state (Anterior) to its present one (Novo): the
    // count follows the keys (an empty Novo key removes an item, a new key adds one), and each
    // total moves by Novo's amount minus Anterior's. The sub judice totals move only for a
    // declaration of 2000 or later. A fresh, never stored item stands for "no item".
    void AcumulaItem(const TPruvItem& Anterior, const TPruvItem& Novo);

    // What AcumulaItem moves, worked out once for several summaries of the same item.
    struct TMudanca {
        int Beneficiarios = 0;                                 // -1, 0 or 1
        bool SubJudice = false;                                // the sub judice totals move
        std::array<qint64, QuantidadeValores - 1> Valores{};   // in the order of Valores(), after the count
    };
    // Anterior null: the item is new, with nothing stored before it.
    [[nodiscard]] static TMudanca Mudanca(const TPruvItem* Anterior, const TPruvItem& Novo);
    void Aplica(const TMudanca& Mudanca);

private:
    [[nodiscard]] std::array<TMonetario*, QuantidadeValores> Valores();

    bool FOK = false;
    bool FSubJudice = false;
    TPruvAnexo* FDono;
    TNumero FTotBenef;
    TMonetario FTotRend;
    TMonetario FTotDed;
    TMonetario FTotIrrf;
    TMonetario FTotAnoAtu;
    TMonetario FTotAnoAnt;
    TMonetario FTotRendSubJud;
    TMonetario FTotDedSubJud;
    TMonetario FTotIrrfSubJud;
    TMonetario FTotDepSubJud;
};
