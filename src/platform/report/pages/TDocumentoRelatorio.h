#pragma once
#include <QObject>
#include <QPicture>
#include <vector>

#include "platform/report/pages/TPapel.h"

// The pages one generation of a report produced so far, one recorded picture per page in
// report units, on the paper they were laid out for. A watcher (the preview) learns of each
// new page through PaginaPronta; with GuardaPaginas off the pages are handed on and not kept,
// so that a long report goes to a printer without being held in memory.
class TDocumentoRelatorio final : public QObject {
    Q_OBJECT

public:
    // primeiraPagina: the report's number of the first page this document will hold.
    explicit TDocumentoRelatorio(const TPapel& papel, int primeiraPagina = 1, bool guardaPaginas = true);

    [[nodiscard]] const TPapel& Papel() const { return FPapel; }
    // Pages held, and pages received (held or handed on).
    [[nodiscard]] int Quantidade() const { return int(FPaginas.size()); }
    [[nodiscard]] int Recebidas() const { return FRecebidas; }
    // indice from 1 to Quantidade; std::out_of_range otherwise.
    [[nodiscard]] const QPicture& Pagina(int indice) const;
    // The report's number of the held page indice.
    [[nodiscard]] int NumeroDaPagina(int indice) const { return FPrimeiraPagina + indice - 1; }

    [[nodiscard]] bool GuardaPaginas() const { return FGuardaPaginas; }
    [[nodiscard]] bool Terminado() const { return FTerminado; }
    [[nodiscard]] bool Cancelado() const { return FCancelado; }

    // Called by the report's generation.
    void AdicionaPagina(const QPicture& pagina);
    void Termina(bool cancelado);

signals:
    // indice: the page's place in this document (1 for the first page it received).
    void PaginaPronta(int indice, const QPicture& pagina);
    void Terminou();

private:
    TPapel FPapel;
    int FPrimeiraPagina;
    bool FGuardaPaginas;
    std::vector<QPicture> FPaginas;
    int FRecebidas = 0;
    bool FTerminado = false;
    bool FCancelado = false;
};
