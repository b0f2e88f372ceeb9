#pragma once
#include "platform/report/elements/TRotulo.h"

enum class TTipoDadoSistema {
    NumeroPagina,   // the page being printed
    TotalPaginas,   // the pages the report's last Prepara counted
    Data,           // "dd/mm/yyyy" of the generation's start
    Hora,           // "hh:mm:ss"
    DataHora,       // "dd/mm/yyyy hh:mm:ss"
};

// A label that prints Texto followed by a value the report knows.
class TDadoSistema final : public TRotulo {
public:
    explicit TDadoSistema(QString nome, TTipoDadoSistema dado = TTipoDadoSistema::NumeroPagina)
        : TRotulo(std::move(nome))
        , Dado(dado)
    {}

    TTipoDadoSistema Dado;

    [[nodiscard]] QString TextoImpresso(const TContextoImpressao& contexto) const override;
};
