#pragma once
#include <cstdint>

// How a record is sought, shared by the datasets and the cursors that serve them: which way a
// step goes, and how Locate compares the values it is given.

namespace TLocateOption {
constexpr std::uint8_t loCaseInsensitive = 1u << 0;
constexpr std::uint8_t loPartialKey = 1u << 1;
}   // namespace TLocateOption
using TLocateOptions = std::uint8_t;

enum TGetMode : std::uint8_t { gmNext, gmPrior };
