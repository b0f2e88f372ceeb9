#pragma once
#include <QLatin1String>

#include "platform/db/datasets/TField.h"

// What the grid's own source files share and no user of the grid needs.
namespace GradeDeDados {

// The column kind whose cells draw a check box instead of text.
inline const QLatin1String CheckBox("CheckBox");

// A calculated field named "selected" marks the rows the user ticked.
inline bool EhSelected(const TField* campo)
{
    return campo && campo->Calculated() && campo->FieldName().toLower() == QLatin1String("selected");
}

}   // namespace GradeDeDados
