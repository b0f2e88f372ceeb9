#pragma once
#include <QString>
#include <cstdint>

// The numbered texts of every message of the program. They are shown, logged and written to
// files exactly as they stand here: change none without changing every reader of those files.
namespace Mensagens {

constexpr int Quantidade = 198;   // codes 0 to 197

// The raw text of a code, with its "%s" markers; empty for a code outside the table.
QString Texto(std::uint8_t codigo);

}   // namespace Mensagens
