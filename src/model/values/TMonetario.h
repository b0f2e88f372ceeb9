#pragma once
#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <optional>

#include "model/values/TDadoBasico.h"

// An amount of money: an exact count of ten-thousandths, typed and shown with two decimals in
// the program's number format, limited to 99.999.999.999,99, and written to the delivery file as
// 15 digits of cents. Rounding to cents is half away from zero, in integers.
class TMonetario : public TDadoBasico {
public:
    static constexpr qint64 Escala = 10000;             // the value 1
    static constexpr qint64 Maximo = 999999999999900;   // 99.999.999.999,99

    // The positive amount with two decimals, with thousands separators.
    [[nodiscard]] QString GetTextoFormatado() const override;
    // Keeps the digits and the first decimal separator (at most three decimals after it): an
    // empty result clears the value; a separator without a digit raises EMonetarioInvalido 114;
    // a number too long to hold, or above Maximo, raises 165 (with the cleaned text as
    // parameter, or none for the limit). A refused text leaves the amount as it was. The sign
    // cannot be typed.
    void SetTexto(const QString& Texto) override;
    // The positive amount with two decimals and no thousands separator.
    [[nodiscard]] QString GetTexto() const override;

    // Stores and notifies when the value differs; an equal value notifies nobody.
    virtual void SetValor(qint64 Valor);
    // GetValor, or 0 when negative; inline: totals and checks ask it of every month of an item.
    [[nodiscard]] virtual qint64 GetValorPositivo() const
    {
        const qint64 valor = GetValor();
        return valor < 0 ? 0 : valor;
    }
    [[nodiscard]] virtual qint64 GetValor() const { return FValor; }
    // Raises EMonetarioInvalido 165 (empty parameter) when Valor is above Maximo.
    virtual void VerificaLimite(qint64 Valor) const;
    virtual void Limpa();   // 0, and notifies

    // Keeps the digits and the first decimal separator, and at most three digits after it.
    static void LimpaTexto(QString& Texto);

    // What a person's text makes of an amount: the one rule of every field that takes one, by
    // typing, by a paste (the clipboard's or the selection's) or by a drop of text. Files the
    // program reads keep their own rules (SetTextoSemSeparador).
    //
    // One key on a field's text, caret (SelStart) and selection: the character typed, a "." or
    // "," becoming the decimal separator, or a null character when refused; and whether it fills
    // the second decimal. At most 11 integer digits and 2 decimals; control characters pass.
    struct TDigitacao {
        QChar Caractere;
        bool SegundaDecimal = false;
    };
    [[nodiscard]] static TDigitacao Digitacao(const QString& Texto, int SelStart, int SelLength, QChar Tecla);
    // A whole text as one amount: an optional "R$", thousands separators in their places, at
    // most two decimals, blanks around it; the amount's raw text ("R$ 1.234,56" gives "1234,56"),
    // or nothing when the text reads as anything else ("1500.00", "3 x 500,00", "-500").
    [[nodiscard]] static std::optional<QString> Quantia(const QString& Texto);
    // A whole text put into a field (pasted or dropped) as the raw text of the amount Quantia
    // reads, without leading zeros, so that it goes into any field whole ("R$ 0001234,5" gives
    // "1234,5"). Raises EMonetarioInvalido 114 when the text reads as no amount, or 165 (empty
    // parameter) when the amount is above Maximo.
    [[nodiscard]] static QString QuantiaColada(const QString& Texto);
    // Digits with two implied decimals, as the exchange files carry them ("5" is 0,50). Answers
    // 0, 114 for a text that is empty, holds anything but digits or cannot be read, or 165 above
    // Maximo; the amount changes only on 0.
    std::uint8_t SetTextoSemSeparador(QStringView Texto);
    // 15 digits of cents ("000000000123456" for 1.234,56); a negative amount gives zeros. Raises
    // EMonetarioInvalido 165 above Maximo rather than cut digits off.
    [[nodiscard]] QString GetTextoArquivo() const;
    [[nodiscard]] bool EhZero() const { return GetValorPositivo() == 0; }
    // Add or subtract Outro's positive amount without notifying and without the limit: a total
    // of amounts each kept to Maximo may pass it. Only a result that 64 bits cannot hold raises
    // EMonetarioInvalido 165, leaving the amount as it was.
    void Soma(const TMonetario& Outro);
    void Subtrai(const TMonetario& Outro);

    // The positive amount in cents, rounded half away from zero.
    [[nodiscard]] qint64 Centavos() const;

    // Exact arithmetic of amounts, without the limit: only a result beyond what 64 bits hold
    // raises EMonetarioInvalido 165.
    static qint64 SomaExata(qint64 A, qint64 B);
    static qint64 SubtracaoExata(qint64 A, qint64 B);

protected:
    // Whole units with thousands separators when Agrupa; the decimal part is the caller's.
    static QString Inteiros(qint64 Unidades, bool Agrupa);

    qint64 FValor = 0;

private:
    friend class TSerieMensal;
    // 0 and changed, telling no one: for a series whose total, its only observer, it tells once
    // after clearing every month.
    void ZeraCalado()
    {
        FValor = 0;
        MarcaAlterado();
    }
};

// A whole number kept as an amount: shown without decimals (rounded half away from zero).
class TNumero : public TMonetario {
public:
    [[nodiscard]] QString GetTextoFormatado() const override;
    [[nodiscard]] QString GetTexto() const override;
};
