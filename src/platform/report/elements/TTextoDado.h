#pragma once
#include <functional>

#include "platform/report/elements/TRotulo.h"

// A label whose text is asked for when the band prints (a field of the current record).
class TTextoDado final : public TRotulo {
public:
    explicit TTextoDado(QString nome)
        : TRotulo(std::move(nome))
    {}

    std::function<QString()> Valor;   // without it, Texto prints

    [[nodiscard]] QString TextoImpresso(const TContextoImpressao& contexto) const override;
};
