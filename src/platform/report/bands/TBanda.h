#pragma once
#include <QFont>
#include <QPointF>
#include <QString>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/report/elements/TElementoRelatorio.h"

class QPainter;
class TRotulo;

enum class TTipoBanda {
    CabecalhoPagina,    // top of every page (of the first only with the report's option)
    RodapePagina,       // bottom of every page (of the last only with the report's option)
    Titulo,             // once, on the first page, under the page header
    CabecalhoColunas,   // every page, under the page header (and the title)
    Detalhe,            // once per record of the report
    SubDetalhe,         // once per record of its own loop, after the detail (TSubDetalhe)
    CabecalhoGrupo,     // opens a group (TGrupo) or a sub-detail's rows
    RodapeGrupo,        // closes a group or a sub-detail's rows
    Filha,              // right after its parent band, when the parent printed
    Sumario,            // once, after the last record
};

// A horizontal strip of a page with its elements. Bands are made and owned by their report
// (TRelatorio::CriaBanda and the like).
class TBanda {
public:
    TBanda(TTipoBanda tipo, QString nome);
    virtual ~TBanda();
    TBanda(const TBanda&) = delete;
    TBanda& operator=(const TBanda&) = delete;

    [[nodiscard]] TTipoBanda Tipo() const { return FTipo; }
    [[nodiscard]] const QString& Nome() const { return FNome; }

    qreal Altura = 0;
    bool Habilitada = true;            // a disabled band is passed over: no events, no space
    bool ForcaNovaPagina = false;      // starts on a new page unless the page holds nothing yet
    bool RepeteEmNovaPagina = false;   // a group's or sub-detail's header printed again on every
                                       // new page while its group or rows go on
    // A child band that never starts a page without its parent: when the two do not fit together
    // below what the page holds, the parent goes to a new page too (unless together they need
    // more than a page). Along a chain of such children the whole chain stays together.
    bool FicaComPai = false;
    // Room that must stay below the band (and below the children that stay with it) on its
    // page for what has to follow it there: a group header's first row, a group's total after
    // its last row. When it lacks, the band goes to a new page, unless the page holds nothing
    // yet or the whole would not fit a page anyway. The report sets it as it fills the band.
    qreal ReservaAbaixo = 0;

    // Called when the band is about to print (the page is already started): may change the
    // band's height, enable or disable it and its elements, fill texts, ask the report for a
    // new page, or clear imprime to skip the band.
    std::function<void(TBanda& banda, bool& imprime)> AntesDeImprimir;
    // Called after the band's turn, printed or skipped (not when it was disabled).
    std::function<void(TBanda& banda, bool impressa)> DepoisDeImprimir;

    // Elements, printed in the order added.
    template <class T, class... Argumentos> T& Adiciona(Argumentos&&... argumentos)
    {
        auto elemento = std::make_unique<T>(std::forward<Argumentos>(argumentos)...);
        T& referencia = *elemento;
        FElementos.push_back(std::move(elemento));
        return referencia;
    }
    // A label of the given font at (esquerda, topo).
    TRotulo& AdicionaRotulo(const QString& nome, const QString& texto, qreal esquerda, qreal topo, const QFont& fonte);

    [[nodiscard]] const std::vector<std::unique_ptr<TElementoRelatorio>>& Elementos() const { return FElementos; }
    // nullptr when the band has no element of that name.
    [[nodiscard]] TElementoRelatorio* Elemento(const QString& nome) const;
    // The element of that name and type; std::logic_error when there is none.
    template <class T> [[nodiscard]] T& ElementoDe(const QString& nome) const
    {
        auto* e = dynamic_cast<T*>(Elemento(nome));
        if (e == nullptr)
            throw std::logic_error("Elemento inexistente na banda: " + nome.toStdString());
        return *e;
    }

    // The band printed right after this one.
    [[nodiscard]] TBanda* Filha() const { return FFilha; }
    // The band this child band follows; nullptr when it follows none (and never prints).
    [[nodiscard]] TBanda* Pai() const { return FPai; }
    // Links a child band under pai (which gives up the child it had); nullptr unlinks it.
    // std::logic_error unless this is a child band, or when the link would make a loop.
    void DefinePai(TBanda* pai);

    // Altura, grown to hold the enabled elements that stretch.
    [[nodiscard]] qreal AlturaImpressa(const TContextoImpressao& contexto) const;
    // The heights of the enabled children that stay with this band (FicaComPai), down the chain.
    [[nodiscard]] qreal AlturaFilhasJuntas(const TContextoImpressao& contexto) const;
    // origem: the band's top-left corner on the page.
    // tracos: when given, receives what was drawn (TRegistroDesenho).
    void Desenha(QPainter& pintor, QPointF origem, const TContextoImpressao& contexto,
                 std::vector<TTracoDesenhado>* tracos = nullptr) const;

private:
    TTipoBanda FTipo;
    QString FNome;
    std::vector<std::unique_ptr<TElementoRelatorio>> FElementos;
    TBanda* FFilha = nullptr;
    TBanda* FPai = nullptr;
};
