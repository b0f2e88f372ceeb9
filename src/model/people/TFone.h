#pragma once
#include "model/values/TTextoVerificado.h"

// A part of a phone number: leading zeros are taken off before the check ("011" is kept as "11").
class TParteFone : public TTextoVerificado<EFoneInvalido> {
protected:
    [[nodiscard]] QString Prepara(const QString& Texto) const override;
};

// The area code: 82 for one character, for anything but digits, or when empty and not allowed.
// Shown as "(11)".
class TFoneDDD final : public TParteFone {
public:
    [[nodiscard]] QString GetTextoFormatado() const override;
    [[nodiscard]] std::uint8_t Valida(const QString& Texto) const override;
};

// The number: 130 for one to three characters, for anything but digits, or when empty and not
// allowed. Five characters or more are shown with "-" before the last four.
class TFoneNumero final : public TParteFone {
public:
    [[nodiscard]] QString GetTextoFormatado() const override;
    [[nodiscard]] std::uint8_t Valida(const QString& Texto) const override;
};

// The extension: 131 for anything but digits; empty passes.
class TFoneRamal final : public TParteFone {
public:
    [[nodiscard]] std::uint8_t Valida(const QString& Texto) const override;
};

// A phone: area code, number and extension.
class TFone final {
public:
    TFone() = default;
    TFone(const TFone&) = delete;
    TFone& operator=(const TFone&) = delete;

    [[nodiscard]] TFoneDDD& DDD() { return FDDD; }
    [[nodiscard]] const TFoneDDD& DDD() const { return FDDD; }
    [[nodiscard]] TFoneNumero& Numero() { return FNumero; }
    [[nodiscard]] const TFoneNumero& Numero() const { return FNumero; }
    [[nodiscard]] TFoneRamal& Ramal() { return FRamal; }
    [[nodiscard]] const TFoneRamal& Ramal() const { return FRamal; }

    void SetErros(TErros* Erros);   // for the three parts; not owned
    void Limpa();                   // the three parts, without notifying

    // A pending item (EFoneInvalido, error) in Erros when the area code, or the number, fails.
    void VerificaFonePendencia(TErros& Erros, const QString& AQuemPertence, const QString& QuemEh,
                               std::uint8_t Objeto) const;
    void VerificaNumeroPendencia(TErros& Erros, const QString& AQuemPertence, const QString& QuemEh,
                                 std::uint8_t Objeto) const;

private:
    TFoneDDD FDDD;
    TFoneNumero FNumero;
    TFoneRamal FRamal;
};
