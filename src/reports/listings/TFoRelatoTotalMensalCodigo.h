#pragma once
#include <array>
#include <memory>

#include "reports/listings/TFoRelatoLista.h"
#include "reports/forms/TParteDecisaoJudicial.h"

class TSubDetalhe;

// The monthly totals by withholding code ("Total Mensal por Código"): for each code, in the order
// of the codes, its items' amounts added month by month: a header with the code and its
// description, a line per month (the 13th salary only for a code that has it) with the
// court-decision amounts under a month that has any, and a footer "Total Código" with the sums of
// the thirteen months; the declaration's codes first, then each fund's on pages of their own.
class TFoRelatoTotalMensalCodigo final : public TFoRelatoLista {
public:
    static constexpr char Nome[] = "FoRelatoTotalMensalCodigo";
    static constexpr int Meses = 13;

    TFoRelatoTotalMensalCodigo(const TPruv& Declaracao, TColecaoPruv& Colecao);
    ~TFoRelatoTotalMensalCodigo() override;

    [[nodiscard]] TRelatorio& QRRelatoTotalMensalCodigo() const { return Relatorio(); }

private:
    enum TValor { Rendimento, Deducao, Imposto, Valores };
    struct TMes {
        std::array<qint64, Valores> Tributaveis{};
        TParteDecisaoJudicial::TValores Decisao{};
    };

    void IniciaGeracao() override;
    void TomaItem(const TPruvItem& Item) override;
    void AcumulaItem(const TPruvItem& Item);
    bool PrecisaMes();
    void PreencheRodape(TBanda& Banda);

    TBanda* FCabecalhoCodigo;
    TRotulo* FCodigo;
    TRotulo* FDescricao;
    TSubDetalhe* FMeses;
    TRotulo* FMes;
    TRotulo* FRendimento;
    TRotulo* FDeducao;
    TRotulo* FImposto;
    TBanda* FDecisaoMes;
    std::unique_ptr<TParteDecisaoJudicial> FDecisao;
    TRotulo* FTotalRendimento;
    TRotulo* FTotalDeducao;
    TRotulo* FTotalImposto;
    std::unique_ptr<TParteDecisaoJudicial> FDecisaoTotal;

    bool FDecimoTerceiro = false;
    std::array<TMes, Meses> FAcumulado{};
    int FMesAtual = 0;
};

// Previews or prints the monthly totals by code of the stored declaration (codes 20 and 21).
void ImprimeRelatoTotalMensalCodigo(const TPruv& Declaracao, TColecaoPruv& Colecao, bool Visualiza);
