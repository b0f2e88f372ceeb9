#pragma once
#include <cstdint>

#include "model/values/CodigoMensagem.h"

// Results of writing a delivery file. Each is also the message the caller shows when the run gives
// no text of its own; any other value is the message code of the error that ended the run (of a
// stored declaration, of the database).
namespace ResultadoEntrega {
inline constexpr std::uint8_t Ok = 0;
// Not enough free space for the lines expected, or a folder the run writes in is full.
inline constexpr std::uint8_t SemEspaco = CodigoMensagem::SemEspacoParaAOperacao;
// Two value lines out of order.
inline constexpr std::uint8_t ForaDeOrdem = CodigoMensagem::RegistrosForaDeSequencia;
// A receipt file (".rec") is beside the target.
inline constexpr std::uint8_t ReciboExiste = CodigoMensagem::ReciboExistente;
// Packing failed, the CRCs differ, or the writing was cancelled.
inline constexpr std::uint8_t FalhaCompactacao = CodigoMensagem::FalhaNaCompactacao;
// Overwriting refused, or the packing refused or cancelled.
inline constexpr std::uint8_t Recusado = CodigoMensagem::GeracaoCancelada;
// A line could not be written, the lines outgrew the free space, or a folder refused the delivery
// file (one the user may not write, a disk that takes no writes).
inline constexpr std::uint8_t ErroGravacao = CodigoMensagem::FalhaNaGravacao;
// A code's total does not fit its 15 digits.
inline constexpr std::uint8_t ValorExcessivo = CodigoMensagem::ValorExcessivo;
}   // namespace ResultadoEntrega
