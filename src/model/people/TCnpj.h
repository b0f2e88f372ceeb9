#pragma once
#include "model/people/TNi.h"

// A CNPJ value (14 digits); with MatrizObrigatoria only the head office (order 0001) passes.
class TCnpj : public TNi {
public:
    explicit TCnpj(bool MatrizObrigatoria = false)
        : FMatrizObrigatoria(MatrizObrigatoria)
    {}

    [[nodiscard]] QString Raiz(const QString& Texto) const override { return RemoveMascara(Texto).left(12); }
    [[nodiscard]] std::uint8_t Valida(const QString& Texto) const override
    {
        return ValidaCnpj(Texto, FMatrizObrigatoria, PermiteVazio());
    }
    [[nodiscard]] QString Formata(const QString& Texto) const override { return FormataCnpj(Texto); }
    [[nodiscard]] QString CalculaDV(const QString& Raiz) const override { return CalculaDVCnpj(Raiz); }

    [[nodiscard]] bool MatrizObrigatoria() const { return FMatrizObrigatoria; }
    void SetMatrizObrigatoria(bool Obrigatoria) { FMatrizObrigatoria = Obrigatoria; }

private:
    bool FMatrizObrigatoria;
};
