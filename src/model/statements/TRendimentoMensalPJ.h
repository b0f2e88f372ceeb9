#pragma once
#include <QString>
#include <cstdint>

#include "model/values/TMonetario.h"

class TCodigoRetencao;
class TPruvItem;

// One line of a legal entity's income statement: the income and tax withheld of one item in one
// month, with the nature of the income, which the user may type over the code's description.
class TRendimentoMensalPJ final {
public:
    // Takes the item's income and tax withheld (without compensations) of Mes, 1 to 12 (another
    // month raises std::out_of_range). Codigo is the statement's copy of the item's code (not
    // owned) and outlives the line.
    TRendimentoMensalPJ(const TPruvItem& Item, const TCodigoRetencao& Codigo, int Mes);
    TRendimentoMensalPJ(const TRendimentoMensalPJ&) = delete;
    TRendimentoMensalPJ& operator=(const TRendimentoMensalPJ&) = delete;

    [[nodiscard]] int GetMes() const { return FMes; }
    [[nodiscard]] const QString& GetCodigo() const;
    [[nodiscard]] bool GetIN4() const;   // the code is exclusive to federal public bodies
    [[nodiscard]] const TMonetario& GetRendimento() const { return FRendimento; }
    [[nodiscard]] const TMonetario& GetImposto() const { return FImposto; }

    // Trimmed and in upper case; the code's description (in any case) brings the line back to
    // the default. Either way the line counts as changed.
    void SetNatureza(const QString& Natureza);
    // The typed nature, else the code's description.
    [[nodiscard]] QString GetNatureza() const;
    [[nodiscard]] bool NaturezaPadrao() const { return FNatureza.isEmpty(); }

    [[nodiscard]] bool GetAlterado() const { return FAlterado; }
    void SetAlterado(bool Alterado) { FAlterado = Alterado; }

private:
    const TCodigoRetencao& FCodigo;   // not owned
    std::uint8_t FMes;
    QString FNatureza;   // empty: the code's description
    TMonetario FRendimento;
    TMonetario FImposto;
    bool FAlterado = false;
};
