#pragma once
#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/report/bands/TBanda.h"
#include "platform/report/pages/TPapel.h"

class TDocumentoRelatorio;
class TGeracao;
class TGrupo;
class TSubDetalhe;

// A banded report: its paper, its bands and the events through which the code that owns it
// feeds the records and fills the bands.
//
// One generation runs like this. AntesDeGerar may refuse it. The first page starts at once:
// page header (on page 1 only with CabecalhoNaPrimeiraPagina), title, column header. Then
// PrecisaDados is asked for one record after another (without it there is one record); for
// each, the groups whose key changed close and open, the detail prints, then each enabled
// sub-detail prints its rows. After the last record the open groups close and the summary
// prints. A band that does not fit above the page footer goes to a new page, whose top
// repeats the page header, the column header and the headers marked RepeteEmNovaPagina.
// Every page ends with the page footer (the last page only with RodapeNaUltimaPagina).
//
// Each band prints after its AntesDeImprimir, then its child band. Events run on the caller's
// thread inside the generation; an exception from one ends the generation and reaches the
// caller of Gera, Continua or Prepara.
class TRelatorio final {
public:
    explicit TRelatorio(QString nome = QString());
    ~TRelatorio();
    TRelatorio(const TRelatorio&) = delete;
    TRelatorio& operator=(const TRelatorio&) = delete;

    [[nodiscard]] const QString& Nome() const { return FNome; }
    QString Titulo;   // the document's name for a printer and a PDF file

    [[nodiscard]] TPapel& Papel() { return FPapel; }
    [[nodiscard]] const TPapel& Papel() const { return FPapel; }

    bool CabecalhoNaPrimeiraPagina = true;
    bool RodapeNaUltimaPagina = true;
    // Without records: true prints one page (its top, the summary, its footer); false nothing.
    bool ImprimeSeVazio = true;

    // Bands, owned by the report. Of the kinds CabecalhoPagina, RodapePagina, Titulo,
    // CabecalhoColunas, Detalhe and Sumario a report has one each; a Filha band prints
    // after the band given to DefinePai (CriaFilha does both); bands of kinds CabecalhoGrupo
    // and RodapeGrupo made here are headers and footers for sub-details and group footers.
    // std::logic_error for a second band of a single kind, a name already used, a
    // SubDetalhe (made by CriaSubDetalhe) or a band other than a Filha made while the report
    // generates (an event may make a child band and link it).
    TBanda& CriaBanda(TTipoBanda tipo, const QString& nome);
    TBanda& CriaFilha(const QString& nome, TBanda& pai);
    TGrupo& CriaGrupo(const QString& nome);             // nested in the order made
    TSubDetalhe& CriaSubDetalhe(const QString& nome);   // printed in the order made

    // The band of a single kind; nullptr when the report has none.
    [[nodiscard]] TBanda* Banda(TTipoBanda tipo) const;
    [[nodiscard]] TBanda* BandaPorNome(const QString& nome) const;
    template <class T = TBanda> [[nodiscard]] T& BandaDe(const QString& nome) const
    {
        auto* b = dynamic_cast<T*>(BandaPorNome(nome));
        if (b == nullptr)
            throw std::logic_error("Banda inexistente no relatório: " + nome.toStdString());
        return *b;
    }
    [[nodiscard]] const std::vector<TGrupo*>& Grupos() const { return FGrupos; }
    [[nodiscard]] const std::vector<TSubDetalhe*>& SubDetalhes() const { return FSubDetalhes; }

    // Events.
    std::function<void(bool& imprime)> AntesDeGerar;   // clear imprime to refuse
    std::function<bool()> PrecisaDados;                // true: one more record, now current
    std::function<void()> AoProcessar;                 // after every record and row: keep alive
    std::function<void(int percentual)> AoMudarProgresso;
    // A new document received the generation's pages (Inicia, LiberaDocumento in a batch).
    std::function<void(TDocumentoRelatorio& documento)> AoCriarDocumento;

    // Pages of one batch in the preview: it stops the generation after this many pages and
    // offers the rest as the next batch. 0: no batches.
    int PaginasPorLote = 0;

    // What the events may ask and do while a generation runs.
    [[nodiscard]] int NumeroPagina() const;   // of the page being filled; 0 outside
    // Where the next band would start, from the top of the paper; the top margin when no
    // page is started.
    [[nodiscard]] qreal YAtual() const;
    // Lowest point a band may reach: the paper's height less the bottom margin and the page
    // footer's height.
    [[nodiscard]] qreal AlturaUtil() const;
    // The room a band has on a new page, between the bands that open the page (page header,
    // column header, repeated headers: as they took the last page opened, the title left out)
    // and AlturaUtil. Bands that must stay together and would not fit in it are not moved.
    [[nodiscard]] qreal AlturaPaginaNova() const;
    // Ends the page now; the next band starts a new one. On a page that holds only its top
    // bands the top is started again instead, so that no page is left empty.
    void NovaPagina();
    // Asks the generation to stop after the current record or row; the page being filled
    // ends there.
    void Cancela() { FCancelado = true; }
    [[nodiscard]] bool Cancelado() const { return FCancelado; }
    void DefineProgresso(int percentual);   // kept between 0 and 100
    [[nodiscard]] int Progresso() const { return FProgresso; }

    // Pages counted by the last Prepara (system data TotalPaginas); 0 before one.
    [[nodiscard]] int TotalPaginas() const { return FTotalPaginas; }
    // Date and time the system data print; the current one at each generation's start
    // unless fixed here (an invalid value unfixes it).
    void DefineDataHora(const QDateTime& dataHora) { FDataHoraFixa = dataHora; }
    [[nodiscard]] const QDateTime& DataHora() const { return FDataHora; }

    // Runs a whole generation without recording anything, to count the pages; returns and
    // keeps the count. The events run as in any generation.
    int Prepara();

    // Starts a generation into a new document (the previous one is freed). false when
    // AntesDeGerar refused it; the document then stays empty and terminated.
    // guardaPaginas false: the document hands its pages on and keeps none.
    bool Inicia(bool guardaPaginas = true);
    // Goes on with the generation started. paginas > 0: stops after the record or row during
    // which that many more pages were completed; a later call resumes exactly there. Answers
    // true when the generation has ended (completed or cancelled).
    bool Continua(int paginas = 0);
    // Inicia and Continua to the end; true when the report was generated to its end.
    bool Gera(bool guardaPaginas = true);
    [[nodiscard]] bool Gerando() const { return FGeracao != nullptr; }

    // The pages of the current or last generation; nullptr before the first one.
    [[nodiscard]] TDocumentoRelatorio* Documento() const { return FDocumento.get(); }
    // Frees the pages. While a generation is stopped after a batch, its next pages go to a
    // new document that Documento then gives.
    void LiberaDocumento();
    // Ends a generation stopped after a batch without going on; its document is terminated
    // as cancelled and keeps the pages it has.
    void Abandona();

private:
    friend class TGeracao;

    TBanda& Guarda(std::unique_ptr<TBanda> banda);
    bool Executa(int paginas);
    void CriaDocumento(int primeiraPagina, bool guardaPaginas);

    QString FNome;
    TPapel FPapel;
    std::vector<std::unique_ptr<TBanda>> FBandas;
    TBanda* FCabecalhoPagina = nullptr;
    TBanda* FRodapePagina = nullptr;
    TBanda* FTitulo = nullptr;
    TBanda* FCabecalhoColunas = nullptr;
    TBanda* FDetalhe = nullptr;
    TBanda* FSumario = nullptr;
    std::vector<TGrupo*> FGrupos;
    std::vector<TSubDetalhe*> FSubDetalhes;

    std::unique_ptr<TDocumentoRelatorio> FDocumento;
    std::unique_ptr<TGeracao> FGeracao;
    bool FCancelado = false;
    int FProgresso = 0;
    int FTotalPaginas = 0;
    QDateTime FDataHoraFixa;
    QDateTime FDataHora;
};
