#pragma once
#include <QHash>
#include <QString>

// The value lines already met in one delivery-layout file, by owner, withholding code,
// beneficiary and situation identifier, so that a repeated line or a second group of the same
// beneficiary and code is refused. Held in memory for the one import: it is asked once per line,
// and nothing of it outlives the file.
class TTabelaImpItem final {
public:
    struct TChave {
        QString InAnexo;         // "0" the declaration, "1" an annex
        QString ChaveDono;       // PRUV_DK or ANEXO_DK
        QString Codigo;          // withholding code
        QString TipoBenef;       // "1" CPF, "2" CNPJ
        QString NiBenef;         // as read from the line
        QString Identificador;   // position 688, a blank stored as "0"
    };

    // Lists the line (once) and answers whether it was met before: for the first line of a
    // group (PrimeiraDoGrupo) any line of that owner, code and beneficiary, for the others a line
    // with the same identifier too.
    bool Registra(const TChave& Chave, bool PrimeiraDoGrupo);
    void Esvazia();

private:
    QHash<QString, QString> FGrupos;   // owner, code and beneficiary: the identifiers met
};
