#pragma once
#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

#include "exchange/layout/TLinhaFixa.h"

class TSaidaDeclar;

// The totals of one withholding code over the value lines written for it: how many lines, and
// each period's column summed over them, in cents.
class TTotalCodigo final {
public:
    using TColunas = std::array<std::array<qint64, 3>, 13>;

    void Soma(const TColunas& Colunas);   // one more line
    [[nodiscard]] int Linhas() const { return FLinhas; }
    [[nodiscard]] const TColunas& Somas() const { return FSomas; }

private:
    int FLinhas = 0;
    TColunas FSomas{};
};

// The type 3 line (730 characters) that closes the value lines of one withholding code: their
// count (8 digits) and the sums of their columns (15 digits of cents each). Type 6 does the
// same for an annex's lines.
class TRegistroTipo3 final {
public:
    TRegistroTipo3() = delete;

    // Nothing when the count or a sum has more digits than its field.
    [[nodiscard]] static std::optional<TLinhaFixa> Monta(char Tipo, int Sequencia, const QString& NiDeclarante,
                                                         const QString& Codigo, const TTotalCodigo& Total);
    // Writes the line and adds it to the CRC; a total too large for the line records
    // ValorExcessivo in Saida instead.
    static void Grava(char Tipo, TSaidaDeclar& Saida, const QString& NiDeclarante, const QString& Codigo,
                      const TTotalCodigo& Total);
};
