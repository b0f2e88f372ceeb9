#pragma once
#include <cstdint>

// Data types of fields and columns.
enum TFieldType : std::uint8_t {
    ftUnknown,
    ftString,
    ftSmallint,
    ftInteger,
    ftWord,
    ftBoolean,
    ftFloat,
    ftCurrency,   // exact: a 64-bit count of ten-thousandths
    ftBCD,
    ftDate,       // day count from 30/12/1899
    ftTime,       // fraction of a day
    ftDateTime,   // day count plus the time as fraction
    ftBytes,
    ftVarBytes,
    ftAutoInc,
    ftBlob,
    ftMemo,
    ftGraphic,
    ftFmtMemo,
    ftLargeint,
};

// Where a field's value comes from.
enum TFieldKind : std::uint8_t { fkData, fkCalculated, fkLookup, fkInternalCalc };

enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

[[nodiscard]] constexpr bool IsBlobType(TFieldType tipo)
{
    return tipo == ftBlob || tipo == ftMemo || tipo == ftGraphic || tipo == ftFmtMemo;
}

[[nodiscard]] constexpr bool IsTextType(TFieldType tipo)
{
    return tipo == ftString || tipo == ftMemo || tipo == ftFmtMemo;
}
