#pragma once
#include <QString>
#include <memory>
#include <utility>
#include <vector>

#include "model/items/TColecaoPruvItem.h"
#include "reports/forms/TPercursoDeclaracao.h"

class TBanda;
class TCabecalhoRelato;
class TColecaoPruv;
class TElementoRelatorio;
class TPruv;
class TPruvItem;
class TRelatorio;
class TRodapeRelato;
class TRotulo;

// The base of the list reports over one declaration (the beneficiary list, the totals by code
// and the monthly totals by code): Letter landscape (then the default printer's paper), the page
// header with the report's title, the declaration, the fund whose annex the page belongs to and
// the column titles, the page footer, and the walk over the declaration's items and its annexes,
// each annex starting on a new page. The subclass lays out its bands and fills them from the
// items (TomaItem).
class TFoRelatoLista {
public:
    virtual ~TFoRelatoLista();
    TFoRelatoLista(const TFoRelatoLista&) = delete;
    TFoRelatoLista& operator=(const TFoRelatoLista&) = delete;

    [[nodiscard]] TRelatorio& Relatorio() const { return *FRelatorio; }

    // Counts the pages, then shows the report in the preview window.
    void Visualiza();
    // Counts the pages, then prints on the default printer; false when it could not.
    bool Imprime();

protected:
    static constexpr qreal AlturaCabecalho = 165;
    static constexpr qreal AlturaCabecalhoFundo = 193;
    // Right edges of the three money columns and their width.
    static constexpr qreal DireitaRendimentos = 680;
    static constexpr qreal DireitaDeducoes = 830;
    static constexpr qreal DireitaImposto = 975;
    static constexpr qreal LarguraValor = 140;

    // Nome: the report's name; Titulo: the title its pages carry.
    TFoRelatoLista(const QString& Nome, const QString& Titulo, const TPruv& Declaracao, TColecaoPruv& Colecao,
                   TColecaoPruvItem::TOrdem Ordem, bool Nota13);

    [[nodiscard]] TPercursoDeclaracao& Percurso() { return FPercurso; }
    [[nodiscard]] TRodapeRelato& Rodape() const { return *FRodape; }

    // A title in the row of column titles at the foot of the page header; with Largura it is
    // right-aligned in that width (the money columns).
    TRotulo& TituloColuna(const QString& Nome, const QString& Texto, qreal Esquerda, qreal Largura = 0);
    // "Rendimentos", "Deduções" and "Imposto Retido" over the money columns.
    void TitulosValores();
    // The three money labels of a line at Topo.
    void RotulosValores(TBanda& Banda, const QString& Prefixo, qreal Topo, TRotulo*& Rendimento, TRotulo*& Deducao,
                        TRotulo*& Imposto);

    // The walk's progress into the report.
    void AtualizaProgresso();
    // The report's record is an item's; false for the start of a fund, whose record prints
    // nothing.
    [[nodiscard]] bool RegistroDeItem() const { return FRegistroDeItem; }

    // The start of each generation, after the walk went back to its start.
    virtual void IniciaGeracao() {}
    // A record that starts with the item: the report fills its bands and takes the items it
    // prints (this one now, or the lines that follow).
    virtual void TomaItem(const TPruvItem& Item) = 0;

private:
    void AntesDeGerar();
    void AntesDoCabecalho(TBanda& Banda);
    // The report's records: the items and, for each annex, the start of its fund, which
    // starts a new page with the fund's header.
    bool PrecisaDados();

    std::unique_ptr<TRelatorio> FRelatorio;
    TPercursoDeclaracao FPercurso;
    TBanda* FCabecalho = nullptr;
    std::unique_ptr<TCabecalhoRelato> FCabecalhoRelato;
    std::unique_ptr<TRodapeRelato> FRodape;
    // Elements kept at a distance from the foot of the page header, whose height changes.
    std::vector<std::pair<TElementoRelatorio*, qreal>> FAncorados;
    bool FRegistroDeItem = false;
};
