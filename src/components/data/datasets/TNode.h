#pragma once
#include <QString>
#include <cstdint>
#include <memory>

#include "platform/db/sqlite/TFieldType.h"

// One node of a parsed filter expression.
class TNode {
public:
    enum TKind : std::uint8_t { nkRelation = 0, nkLogical = 1, nkArithmetic = 2, nkOperand = 3 };

    TNode(TKind tipo, const QString& texto)
        : Kind(tipo)
        , Text(texto)
    {}

    TKind Kind;
    // For an operand: the engine constant it becomes (0: a field reference).
    std::uint8_t ConstantKind = 0;
    std::int16_t DecimalPlaces = 0;     // of a BCD constant: the field's size
    TFieldType FieldType = ftUnknown;   // of a constant: the field it is compared with
    QString Text;                       // the operator or the operand as written
    int SlotOffset = 0;                 // inside the node area, once serialised
    std::unique_ptr<TNode> Left;
    std::unique_ptr<TNode> Right;

    // This node and all below it.
    [[nodiscard]] int NodeCount() const
    {
        return 1 + (Left ? Left->NodeCount() : 0) + (Right ? Right->NodeCount() : 0);
    }
};
