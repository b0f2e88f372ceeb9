#pragma once
#include <QString>

#include "exchange/import/TTabelaTrabalho.h"

// The CPFs already met in one income-statement file (work table ImpComp), so that a second line
// of the same beneficiary is refused.
class TListaNiImportadosCR final : public TTabelaTrabalho {
public:
    TListaNiImportadosCR();   // the table made empty

    // False when the CPF is already listed; otherwise lists it. Raises EColecaoError 141.
    bool Inclui(const QString& Cpf);
};
