#pragma once
#include <cstdint>

// The engine's serialised filter expression: a header of five 16-bit words (version, total
// size, node count, node start, literal start; little-endian), the node slots of 14 bytes
// (class and operator as 32-bit words, then three 16-bit words) and the literal pool.
namespace CanExpr {

constexpr std::uint16_t Versao = 1;
constexpr int TamanhoCabecalho = 10;
constexpr int TamanhoNo = 14;

// Node classes
constexpr std::uint32_t nodeBINARY = 2;
constexpr std::uint32_t nodeFIELD = 4;
constexpr std::uint32_t nodeCONST = 5;

// Operators
constexpr std::uint32_t canEQ = 3;
constexpr std::uint32_t canNE = 4;
constexpr std::uint32_t canGT = 5;
constexpr std::uint32_t canLT = 6;
constexpr std::uint32_t canGE = 7;
constexpr std::uint32_t canLE = 8;
constexpr std::uint32_t canAND = 10;
constexpr std::uint32_t canOR = 11;
constexpr std::uint32_t canADD = 16;
constexpr std::uint32_t canSUB = 17;
constexpr std::uint32_t canMUL = 18;
constexpr std::uint32_t canDIV = 19;
constexpr std::uint32_t canFIELD2 = 13;
constexpr std::uint32_t canCONST2 = 14;

// Types of constants
constexpr std::uint16_t fldZSTRING = 1;
constexpr std::uint16_t fldDATE = 2;
constexpr std::uint16_t fldBOOL = 4;
constexpr std::uint16_t fldINT16 = 5;
constexpr std::uint16_t fldINT32 = 6;
constexpr std::uint16_t fldFLOAT = 7;
constexpr std::uint16_t fldBCD = 8;
constexpr std::uint16_t fldTIME = 10;
constexpr std::uint16_t fldTIMESTAMP = 11;

constexpr int TamanhoBcd = 34;
// Day number of 30/12/1899 in the engine's dates, which count from 1/1/0001 as day 1.
constexpr std::int32_t DiaZeroMotor = 693594;
constexpr double MilissegundosPorDia = 86400000.0;

}   // namespace CanExpr
