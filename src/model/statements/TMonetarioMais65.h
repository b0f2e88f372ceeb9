#pragma once
#include <QString>

#include "model/values/TMonetario.h"

// The exempt part of the retirement income of a beneficiary aged 65 or more (line 1 of box 4 of
// a person's income statement), whose ceiling depends on the calendar year.
class TMonetarioMais65 final : public TMonetario {
public:
    static constexpr qint64 LimiteAte2001 = 117000000;     // 11.700,00
    static constexpr qint64 LimiteDesde2002 = 137540000;   // 13.754,00

    explicit TMonetarioMais65(QString Ano = QString())
        : FAno(std::move(Ano))
    {}

    [[nodiscard]] const QString& GetAno() const { return FAno; }   // four digits, compared as text
    void SetAno(const QString& Ano) { FAno = Ano; }

    // Above the year's ceiling raises EMonetarioInvalido 168 (years up to "2001") or 169 (from
    // "2002"); the ceiling itself is accepted. Then the limit of every amount.
    void VerificaLimite(qint64 Valor) const override;

private:
    QString FAno;
};
