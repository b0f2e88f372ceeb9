#pragma once
#include <cstddef>
#include <cstdint>

// The rich-text reader on any bytes: it must end, and what it read must come back the same
// through the writer. A broken round trip aborts, so that the fuzzer reports it.
int LeRtfFuzz(const std::uint8_t* Dados, std::size_t Tamanho);
