#pragma once
#include <QString>
#include <cstdint>

#include "exchange/delivery/ResultadoEntrega.h"

// What one writing of the delivery file (TArquivoPruv::Gera) ends with.
struct TResultadoGeracao {
    // One of ResultadoEntrega, or the message code of an error of a stored declaration (already
    // shown).
    std::uint8_t Codigo = ResultadoEntrega::FalhaCompactacao;
    // The path of the delivery file, once the run came as far as naming it; else empty.
    QString Arquivo;
};
