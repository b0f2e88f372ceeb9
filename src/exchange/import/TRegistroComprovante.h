#pragma once
#include <QString>
#include <cstdint>

#include "model/values/TMonetario.h"

// One line of an income-statement file: thirteen fixed-column fields, the beneficiary's CPF, ten
// amounts in digits of cents without separator, the description of the other exempt income and
// the complementary information. Trailing blanks of the line are dropped when it is taken.
class TRegistroComprovante final {
public:
    static constexpr int Campos = 13;
    static constexpr int TamanhoMinimo = 221;   // up to the last amount (field 12)
    static constexpr int TamanhoMaximo = 421;   // up to the end of field 13

    // Keeps the line without its trailing blanks (and other control characters).
    void SetLinha(const QString& Linha);
    [[nodiscard]] const QString& GetLinha() const { return FLinha; }

    // Field N (1 to 13) as it stands in the line; empty beyond the line or for another N.
    [[nodiscard]] QString Campo(int N) const;
    // The amount fields (2 to 10 and 12) read as money into Texto in its shown form; 0, or the
    // money type's message code with the raw text left in Texto. Other fields raw, 0.
    std::uint8_t CampoValor(int N, QString& Texto);
    // An amount field read into Destino through its own type (so that its own ceiling applies);
    // 0, or the message code with Destino unchanged. Another field gives 114.
    std::uint8_t LeValor(int N, TMonetario& Destino) const;

    [[nodiscard]] static bool CampoMonetario(int N);
    // What a refused amount is called in the line's message ("Diarias" for field 6).
    [[nodiscard]] static QString Rotulo(int N);

    [[nodiscard]] bool TamanhoValido() const { return FLinha.size() >= TamanhoMinimo; }
    [[nodiscard]] bool Vazia() const { return FLinha.isEmpty(); }

private:
    QString FLinha;
    TMonetario FValor;   // the shown form of an amount
};
