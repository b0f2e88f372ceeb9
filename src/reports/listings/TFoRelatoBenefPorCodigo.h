#pragma once
#include <array>
#include <memory>

#include "reports/listings/TFoRelatoLista.h"

class TParteDecisaoJudicial;
class TPruvItem;
class TSubDetalhe;

// The totals by withholding code ("Relatório de Totais por Código"): for each code, in the order
// of the codes, a header with the code and its description, the lines of its items (analytic:
// beneficiary and amounts; synthetic: none) and a footer "Total:" with the number of items and
// the nine totals, the court-decision ones only when any is not zero; the declaration's codes
// first, then each fund's on pages of their own.
class TFoRelatoBenefPorCodigo final : public TFoRelatoLista {
public:
    static constexpr char Nome[] = "FoRelatoBenefPorCodigo";
    static constexpr qreal AlturaLinha = 23;
    static constexpr qreal AlturaComDecisao = 62;

    TFoRelatoBenefPorCodigo(const TPruv& Declaracao, TColecaoPruv& Colecao, bool Analitico);
    ~TFoRelatoBenefPorCodigo() override;

    [[nodiscard]] TRelatorio& QRRelatoBenefPorCodigo() const { return Relatorio(); }

    // A line of the code's items from one item, whose amounts go into the code's totals.
    void SetaValoresPruvItem(const TPruvItem& Item);
    void SetaValoresSubJudice(const TPruvItem& Item);

private:
    enum TTotal { Rendimento, Deducao, Imposto, Totais };

    void IniciaGeracao() override;
    void TomaItem(const TPruvItem& Item) override;
    bool PrecisaLinha();
    void ZeraTotais();
    void PreencheRodape(TBanda& Banda);

    bool FAnalitico;
    TSubDetalhe* FLinhas;
    TBanda* FCabecalhoCodigo;
    TBanda* FRodapeCodigo;
    TRotulo* FCodigo;
    TRotulo* FDescricao;
    TRotulo* FAsterisco;
    TRotulo* FNi;
    TRotulo* FNome;
    TRotulo* FRendimento;
    TRotulo* FDeducao;
    TRotulo* FImposto;
    std::unique_ptr<TParteDecisaoJudicial> FDecisao;
    TRotulo* FQuantidade;
    TRotulo* FTotalRendimento;
    TRotulo* FTotalDeducao;
    TRotulo* FTotalImposto;
    std::unique_ptr<TParteDecisaoJudicial> FDecisaoTotal;

    QString FCodigoGrupo;
    bool FDecimoTerceiro = false;
    int FItens = 0;
    std::array<qint64, Totais> FTotais{};
    std::array<qint64, 6> FTotaisDecisao{};
};

// Previews or prints the totals by code of the stored declaration, analytic or synthetic
// (codes 1 to 4).
void ImprimeRelatoBenefPorCodigo(const TPruv& Declaracao, TColecaoPruv& Colecao, bool Visualiza, bool Analitico);
