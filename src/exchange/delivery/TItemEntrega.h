#pragma once
#include <QString>
#include <QtGlobal>
#include <array>

// One item of a declaration or annex (a beneficiary under a withholding code) as its value
// lines carry it: the positive amounts of months 1 to 13 of each series, in ten-thousandths.
struct TItemEntrega {
    enum TSerie {
        Rendimento,
        Deducao,
        Imposto,
        CompensacaoAnosAnteriores,
        CompensacaoAno,
        RendimentoSubJudice,
        DeducaoSubJudice,
        ImpostoSubJudice,
        Deposito,
        QuantidadeSeries,
    };
    static constexpr int Meses = 13;   // 13 is the 13th salary

    QString Codigo;                // four digits
    bool BeneficiarioPf = false;   // the beneficiary has a CPF
    QString NiBeneficiario;        // 11 or 14 digits
    QString NomeBeneficiario;      // as stored
    std::array<std::array<qint64, Meses>, QuantidadeSeries> Valores{};

    [[nodiscard]] qint64& Valor(TSerie Serie, int Mes) { return Valores.at(Serie).at(Mes - 1); }
    [[nodiscard]] qint64 Valor(TSerie Serie, int Mes) const { return Valores.at(Serie).at(Mes - 1); }
    // Some month of one of the series is above zero.
    [[nodiscard]] bool Possui(std::initializer_list<TSerie> Series) const
    {
        for (const TSerie serie : Series)
            for (const qint64 valor : Valores.at(serie))
                if (valor > 0)
                    return true;
        return false;
    }
    // The series' months 1 to 13 added.
    [[nodiscard]] qint64 TotalAno(TSerie Serie) const
    {
        qint64 total = 0;
        for (const qint64 valor : Valores.at(Serie))
            total += valor;
        return total;
    }
};
