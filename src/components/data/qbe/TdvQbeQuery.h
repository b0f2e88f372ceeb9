#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

// A query-by-example text as the parser reads it: one block per table, with the table's
// field names and one example row per line. Rows of one table are alternatives (OR); an
// example element written in fields of several tables joins them.

// What a cell asks of its field in the answer.
enum class TdvQbeCheck : std::uint8_t {
    None,
    Check,             // in the answer, without repeated rows, in ascending order
    CheckPlus,         // in the answer, not ordered; repeated rows of the whole answer kept
    CheckDescending,   // in the answer, without repeated rows, in descending order
};

enum class TdvQbeOperator : std::uint8_t { Equal, NotEqual, Less, Greater, LessOrEqual, GreaterOrEqual, Like, Blank };

// One selection condition on the field: the operator and its operand, a constant or an
// example element; Negated for "not" (not blank, not like, not a value).
struct TdvQbeCondition {
    TdvQbeOperator Operator = TdvQbeOperator::Equal;
    bool Negated = false;
    QString Value;          // the constant as written (quotes taken off)
    QString Element;        // the example element without its "_" (lower case); empty: a constant
    bool Pattern = false;   // the constant holds the wildcards ".." or "@"
};

// A cell: its check mark and its conditions, as alternatives (split by "or") of conditions
// that must all hold (split by ","), and the value that "changeto" gives the field (an
// Equal condition: a constant or an example element).
struct TdvQbeCell {
    TdvQbeCheck Check = TdvQbeCheck::None;
    std::vector<std::vector<TdvQbeCondition>> Alternatives;
    std::optional<TdvQbeCondition> ChangeTo;
};

// The word under a table's name in its rows: they insert the rows they give, or delete the
// rows they select.
enum class TdvQbeAction : std::uint8_t { None, Insert, Delete };

struct TdvQbeBlock {
    QString Table;                               // as written
    QStringList Fields;                          // as written
    std::vector<std::vector<TdvQbeCell>> Rows;   // one cell per field
    TdvQbeAction Action = TdvQbeAction::None;    // the same for every row of the block
    int Line = 0;                                // of the block's heading, counted from 1

    [[nodiscard]] bool ChangesData() const
    {
        if (Action != TdvQbeAction::None)
            return true;
        for (const auto& row : Rows)
            for (const TdvQbeCell& cell : row)
                if (cell.ChangeTo)
                    return true;
        return false;
    }
};

struct TdvQbeQuery {
    std::vector<TdvQbeBlock> Blocks;

    // Inserts, deletes or changes rows: it has no answer.
    [[nodiscard]] bool ChangesData() const
    {
        for (const TdvQbeBlock& b : Blocks)
            if (b.ChangesData())
                return true;
        return false;
    }
};
