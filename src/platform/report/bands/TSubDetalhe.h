#pragma once
#include <functional>

#include "platform/report/bands/TBanda.h"

// Rows printed after each detail of the report, from a loop of their own: PrecisaDados is
// asked for one row after another until it answers false. The header prints before the first
// row and the footer after the last; both print with no rows only with ImprimeSeVazio.
class TSubDetalhe final : public TBanda {
public:
    explicit TSubDetalhe(QString nome)
        : TBanda(TTipoBanda::SubDetalhe, std::move(nome))
    {}

    std::function<bool()> PrecisaDados;   // without it, no rows
    // Bands of kinds CabecalhoGrupo and RodapeGrupo made by the same report; may be swapped
    // between records; nullptr: none.
    TBanda* Cabecalho = nullptr;
    TBanda* Rodape = nullptr;
    bool ImprimeSeVazio = true;
};
