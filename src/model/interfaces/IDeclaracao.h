#pragma once
#include <QString>

class ICodigosRetencao;
class TErros;
class TNatureza;

// What an item, its beneficiary and a summary ask of the declaration they belong to; the
// declaration implements it, tests use a small stand-in.
class IDeclaracao {
public:
    virtual ~IDeclaracao() = default;

    // The calendar year, four characters, compared as text ("2002").
    [[nodiscard]] virtual QString GetAno() const = 0;
    // "O" original, "R" rectifying.
    [[nodiscard]] virtual QString GetTipoDeclaracao() const = 0;
    // The declarant's nature; a declaration always has one (the empty nature at first).
    [[nodiscard]] virtual const TNatureza& GetNatureza() const = 0;
    // The withholding codes of the declaration's year.
    [[nodiscard]] virtual ICodigosRetencao& GetColecaoCodigoRetencao() = 0;
    // PRUV_DK; empty while the declaration is not stored.
    [[nodiscard]] virtual QString GetChave() const = 0;
    // The sink of the collecting setters; null while the declaration has none.
    [[nodiscard]] virtual TErros* Erros() const = 0;
};
