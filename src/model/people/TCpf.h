#pragma once
#include "model/people/TNi.h"

// A CPF value (11 digits).
class TCpf : public TNi {
public:
    [[nodiscard]] QString Raiz(const QString& Texto) const override { return RemoveMascara(Texto).left(9); }
    [[nodiscard]] std::uint8_t Valida(const QString& Texto) const override { return ValidaCpf(Texto, PermiteVazio()); }
    [[nodiscard]] QString Formata(const QString& Texto) const override { return FormataCpf(Texto); }
    [[nodiscard]] QString CalculaDV(const QString& Raiz) const override { return CalculaDVCpf(Raiz); }
};
