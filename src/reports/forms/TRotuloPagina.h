#pragma once
#include "platform/report/elements/TRotulo.h"

// "Página n de m": the page's number and the pages of the whole report. A report generated in
// batches numbers on from the pages of the batches before (Deslocamento) and gives the count of
// all its batches (Total); otherwise the count of the report's last Prepara is used.
class TRotuloPagina final : public TRotulo {
public:
    explicit TRotuloPagina(QString nome)
        : TRotulo(std::move(nome))
    {}

    int Deslocamento = 0;
    int Total = 0;   // 0: the report's own count

    [[nodiscard]] QString TextoImpresso(const TContextoImpressao& contexto) const override;
};
