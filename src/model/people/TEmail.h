#pragma once
#include "model/values/TTextoVerificado.h"

// An e-mail address, stored exactly as typed. 81 when it holds no at sign, or its first at sign
// is its first or its last character; empty passes only when allowed. A refused address leaves
// the old one in place.
class TEmail final : public TTextoVerificado<EEmailInvalido> {
public:
    [[nodiscard]] std::uint8_t Valida(const QString& Texto) const override;

    void VerificaEmailPendencia(TErros& Erros, const QString& AQuemPertence, const QString& QuemEh,
                                std::uint8_t Objeto) const
    {
        VerificaPendencia(Erros, AQuemPertence, QuemEh, Objeto);
    }
};
