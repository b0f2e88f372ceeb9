#pragma once
#include <QString>

// The declarant and calendar year chosen for an import, by which the main window opens the
// declaration that the import brought in.
struct TDeclaracaoImportada {
    QString Ni;    // with its check digits; empty when none was read
    QString Ano;
};
