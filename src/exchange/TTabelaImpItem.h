#pragma once
#include <QSet>
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

    // Some line of that owner, code and beneficiary (any identifier) is listed.
    [[nodiscard]] bool ExisteGrupo(const TChave& Chave) const;
    // A line of that owner, code, beneficiary and identifier is listed.
    [[nodiscard]] bool Existe(const TChave& Chave) const;
    // Lists the line (once).
    void Inclui(const TChave& Chave);
    void Esvazia();
    [[nodiscard]] int Quantidade() const { return static_cast<int>(FLinhas.size()); }

private:
    QSet<QString> FGrupos;   // owner, code and beneficiary
    QSet<QString> FLinhas;   // the same and the identifier
};
