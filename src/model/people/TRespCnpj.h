#pragma once
#include "model/people/TCpf.h"
#include "model/values/CodigoMensagem.h"

// The CPF of the person responsible before the CNPJ: any fault is reported as 178.
class TRespCnpj : public TCpf {
public:
    [[nodiscard]] std::uint8_t Valida(const QString& Texto) const override
    {
        return TCpf::Valida(Texto) == 0 ? 0 : CodigoMensagem::CpfRespCnpjInvalido;
    }
};
