#pragma once
#include <cstdint>

// Results of writing a delivery file. Each is also the message number the caller shows; any
// other value is the message code of an error found in a stored declaration.
namespace ResultadoEntrega {
inline constexpr std::uint8_t Ok = 0;
inline constexpr std::uint8_t SemEspaco = 151;          // not enough free space for the lines expected
inline constexpr std::uint8_t ForaDeOrdem = 153;        // two value lines out of order
inline constexpr std::uint8_t ReciboExiste = 156;       // a receipt file (".rec") is beside the target
inline constexpr std::uint8_t FalhaCompactacao = 157;   // packing failed, the CRCs differ, or the writing was cancelled
inline constexpr std::uint8_t Recusado = 158;           // overwriting refused, or the packing refused or cancelled
inline constexpr std::uint8_t ErroGravacao = 159;   // a line could not be written, or the lines outgrew the free space
inline constexpr std::uint8_t ValorExcessivo = 165;   // a code's total does not fit its 15 digits
}   // namespace ResultadoEntrega
