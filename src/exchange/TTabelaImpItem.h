#pragma once
#include <QString>

#include "exchange/TTabelaTrabalho.h"

// The value lines already met in one delivery-layout file (work table ImpItem), by owner,
// withholding code, beneficiary and situation identifier, so that a repeated line or a second
// group of the same beneficiary and code is refused.
class TTabelaImpItem final : public TTabelaTrabalho {
public:
    struct TChave {
        QString InAnexo;         // "0" the declaration, "1" an annex
        QString ChaveDono;       // PRUV_DK or ANEXO_DK
        QString Codigo;          // withholding code
        QString TipoBenef;       // "1" CPF, "2" CNPJ
        QString NiBenef;         // as read from the line
        QString Identificador;   // position 688, a blank stored as "0"
    };

    TTabelaImpItem();   // the table made empty

    // Some line of that owner, code and beneficiary (any identifier) is listed.
    bool ExisteGrupo(const TChave& Chave);
    // A line of that owner, code, beneficiary and identifier is listed.
    bool Existe(const TChave& Chave);
    // Lists the line (once).
    void Inclui(const TChave& Chave);
};
