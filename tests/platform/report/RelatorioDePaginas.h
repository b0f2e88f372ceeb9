#pragma once
#include "platform/report/bands/TRelatorio.h"

// A report of one record per page; each page shows "Página n", n its number in the
// generation. Tests replace PrecisaDados or the band's events to stop or fail early.
struct RelatorioDePaginas {
    TRelatorio R{QStringLiteral("Paginas")};
    int Atual = 0;   // the current record, from 1
    int Total;

    explicit RelatorioDePaginas(int total);
};
