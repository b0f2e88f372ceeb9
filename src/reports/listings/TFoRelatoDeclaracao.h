#pragma once
#include <QString>
#include <array>
#include <memory>

#include "reports/forms/TPercursoDeclaracao.h"

class TBanda;
class TCabecalhoRelato;
class TElementoRelatorio;
class TColecaoPruv;
class TPruv;
class TPruvItem;
class TRelatorio;
class TRodapeRelato;
class TRotulo;
class TSerieMensal;
class TTextoInteiro;

// The whole declaration as it will be delivered, A4 portrait: on the first page the declarant and
// the persons responsible; then one block per item (beneficiary under a code) with the twelve
// months, the 13th salary where the code has it and the totals of income, deductions, tax
// withheld and, when the item has them, the compensations, followed by its amounts under
// suspended liability when it has any; then each fund's items, each fund starting a page whose
// header names it.
//
// Generated in batches: a batch ends on its LimiteLote-th page once the page is past
// LimiteVertical; the pages are numbered through all batches. Previewed, the preview's "next
// pages" button goes on from there; printed, each batch is one job and the next follows at once.
class TFoRelatoDeclaracao final {
public:
    static constexpr char Nome[] = "FoRelatoDeclaracao";
    static constexpr int PaginasPorLote = 500;
    static constexpr qreal AlturaDetalhe13 = 296;
    static constexpr qreal AlturaDetalhe = 280;
    static constexpr qreal AlturaCabecalho = 94;
    static constexpr qreal AlturaCabecalhoFundo = 148;
    // The position past which the last page of a batch ends: 1500 tenths of a millimetre from
    // the top of the paper.
    [[nodiscard]] static qreal LimiteVertical();

    TFoRelatoDeclaracao(const TPruv& Declaracao, TColecaoPruv& Colecao);
    ~TFoRelatoDeclaracao();
    TFoRelatoDeclaracao(const TFoRelatoDeclaracao&) = delete;
    TFoRelatoDeclaracao& operator=(const TFoRelatoDeclaracao&) = delete;

    [[nodiscard]] TRelatorio& QRRelatoDeclaracao() const { return *FRelatorio; }

    int LimiteLote = PaginasPorLote;

    // Counts the pages of the whole report, in batches or in one go (so that each page shows
    // their total), and goes back to the start. Returns the count.
    int Prepara(bool EmLotes);
    // Generates the next batch (in one go: the whole report) into the report's document; true
    // when a further batch remains.
    bool GeraLote();
    void Visualiza();
    bool Imprime();

    // The detail from one item: beneficiary, code, months and totals, and which rows and
    // columns show.
    void SetaValoresPruvItem(const TPruvItem& Item);
    // The band of the amounts under suspended liability.
    void SetaValoresSubJudice(const TPruvItem& Item);
    // The 13th-salary row (the total row moves up without it); given after the columns, which
    // show or hide every row of theirs.
    void Habilitacao13(bool Mostra);
    void Habilitacao13SJ(bool Mostra);
    void HabilitacaoDeducao(bool Mostra);
    void HabilitacaoCompensacao(bool Mostra);
    // Places the income, deduction and tax columns for the compensation columns shown or not.
    void PosicionaValores(bool Compensacao);

private:
    enum TColuna { Rendimento, Deducao, Imposto, CompAno, CompAnteriores, Colunas };
    static constexpr int Linhas = 14;   // the months, the 13th salary, the total
    using TGrade = std::array<std::array<TRotulo*, Linhas>, Colunas>;

    void CriaCabecalho();
    void CriaTitulo();
    void CriaDetalhe();
    void CriaSubJudice();
    void AntesDeGerar();
    void AntesDoCabecalho(TBanda& Banda);
    void PreencheTitulo();
    bool PrecisaDados();
    // A column of the grid: one label per month, the 13th salary and the total.
    void CriaColuna(TBanda& Banda, TGrade& Grade, int Coluna, const QString& Prefixo, qreal Topo);
    static void PreencheColuna(TGrade& Grade, int Coluna, const TSerieMensal& Serie);

    std::unique_ptr<TRelatorio> FRelatorio;
    TPercursoDeclaracao FPercurso;
    std::unique_ptr<TCabecalhoRelato> FCabecalhoRelato;
    std::unique_ptr<TRodapeRelato> FRodape;

    TBanda* FCabecalho = nullptr;
    TBanda* FTitulo = nullptr;
    TBanda* FDetalhe = nullptr;
    TBanda* FSubJudice = nullptr;
    TElementoRelatorio* FLinhaFundo = nullptr;

    // Title band.
    TRotulo* FNiDeclarante = nullptr;
    std::unique_ptr<TTextoInteiro> FNomeDeclarante;
    std::array<TRotulo*, 7> FResponsavel{};   // CPF, name, DDD, phone, extension, fax, e-mail
    std::unique_ptr<TTextoInteiro> FEmail;
    std::array<TRotulo*, 3> FBlocoRespCnpj{};
    TRotulo* FRespCnpj = nullptr;

    // Detail.
    TRotulo* FCodigo = nullptr;
    TRotulo* FTituloNiBenef = nullptr;
    TRotulo* FNiBenef = nullptr;
    TRotulo* FTituloNomeBenef = nullptr;
    TRotulo* FNomeBenef = nullptr;
    std::unique_ptr<TTextoInteiro> FNomeBenefInteiro;
    TElementoRelatorio* FLinhaDetalhe = nullptr;   // under the beneficiary, or under its name's two lines
    std::array<TRotulo*, Linhas> FMeses{};
    std::array<TRotulo*, Colunas> FTitulos{};
    TGrade FGrade{};

    // Suspended liability.
    std::array<TRotulo*, Linhas> FMesesSJ{};
    TGrade FGradeSJ{};   // income, deductions, tax, deposit

    bool FEmLotes = false;
    bool FContando = false;
    bool FPrimeiraVez = true;
    bool FInterrompido = false;
    int FRegistrosNoLote = 0;
    int FPaginasLote = 0;
    int FDeslocamento = 0;
    int FTotal = 0;
};

// Previews or prints the whole stored declaration (codes 10 and 11).
void ImprimeRelatoDeclaracao(const TPruv& Declaracao, TColecaoPruv& Colecao, bool Visualiza);
