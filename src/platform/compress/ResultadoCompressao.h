#pragma once

// Results of the packing and unpacking operations (the values callers compare with).
namespace ResultadoCompressao {
inline constexpr int Falha = 0;   // could not be done; nothing was replaced
inline constexpr int Ok = 1;
inline constexpr int Cancelado = 2;             // stopped by CancelarCompressao; nothing was replaced
inline constexpr int FormatoDesconhecido = 3;   // the file is not in this library's format
}   // namespace ResultadoCompressao
