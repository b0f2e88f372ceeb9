#pragma once
#include <QString>

#include "platform/db/sqlite/TFieldType.h"

// One column of a table: its name, type and size (characters of a text, decimals of a BCD).
struct TFieldDef {
    QString Name;
    TFieldType DataType = ftUnknown;
    int Size = 0;
    bool Required = false;
};
