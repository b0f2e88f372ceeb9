#pragma once
#include <functional>

#include "platform/report/bands/TBanda.h"

// The header of a group of consecutive records of the report with the same key. When the key
// changes (and before the first record) the footers of the groups that end print, innermost
// first, then the headers of the groups that start; after the last record every open group's
// footer prints. Groups nest in the order the report made them.
class TGrupo final : public TBanda {
public:
    explicit TGrupo(QString nome)
        : TBanda(TTipoBanda::CabecalhoGrupo, std::move(nome))
    {}

    // The current record's key; asked after the report's PrecisaDados answered a record.
    std::function<QString()> Chave;
    // A band of kind RodapeGrupo made by the same report; nullptr: no footer.
    TBanda* Rodape = nullptr;
};
