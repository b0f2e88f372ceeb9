#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>

// Options of an index, combined with "|".
namespace TIndexOption {
constexpr std::uint8_t ixPrimary = 1u << 0;
constexpr std::uint8_t ixUnique = 1u << 1;
constexpr std::uint8_t ixDescending = 1u << 2;
constexpr std::uint8_t ixCaseInsensitive = 1u << 3;
constexpr std::uint8_t ixExpression = 1u << 4;
constexpr std::uint8_t ixNonMaintained = 1u << 5;
}   // namespace TIndexOption
using TIndexOptions = std::uint8_t;

// One index of a table. Fields are ';'-separated ("E_PRUV_DK;NR_PF"); the primary index has
// an empty name.
struct TIndexDef {
    QString Name;
    QString Fields;
    TIndexOptions Options = 0;
    // Text fields of the index ordered by TDatabase::ColacaoNomes, as a table orders them when
    // they are among its name fields.
    QStringList CamposNome = {};

    [[nodiscard]] QStringList FieldList() const { return Fields.split(QLatin1Char(';'), Qt::SkipEmptyParts); }
    [[nodiscard]] bool IsPrimary() const { return (Options & TIndexOption::ixPrimary) != 0; }
    [[nodiscard]] bool IsCaseInsensitive() const { return (Options & TIndexOption::ixCaseInsensitive) != 0; }
};
