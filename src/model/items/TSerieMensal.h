#pragma once
#include <QtGlobal>
#include <array>
#include <cstddef>
#include <utility>

#include "model/values/TMonetario.h"
#include "model/values/TMonetarioTotal.h"

// One kind of amount of an item, month by month: months 1 to 12 and month 13 (the 13th
// salary), each an observable amount, with a running total that observes months 1 to 12 only.
// The total observes the months' addresses, so a series is neither copied nor moved.
class TSerieMensal final {
public:
    static constexpr int Meses = 13;

    TSerieMensal();
    TSerieMensal(const TSerieMensal&) = delete;
    TSerieMensal& operator=(const TSerieMensal&) = delete;

    // Month 1 to 13; any other raises std::out_of_range. Inline: loads, checks and totals ask
    // for every month of every item.
    [[nodiscard]] TMonetario& Mes(int Mes) { return FMeses[Indice(Mes)]; }
    [[nodiscard]] const TMonetario& Mes(int Mes) const { return FMeses[Indice(Mes)]; }
    // The month's GetValorPositivo, without a virtual call: the months are plain amounts.
    [[nodiscard]] qint64 Positivo(int Mes) const
    {
        const qint64 valor = FMeses[Indice(Mes)].TMonetario::GetValor();
        return valor < 0 ? 0 : valor;
    }
    // Calls Faz(i) for each month index i, 0 (month 1) to 12 (month 13), written out in full:
    // loads, checks and summaries go through every month of every item, and a loop's own counting
    // (and Mes's range check) would cost as much as their work.
    template <typename F> static void CadaMes(F&& Faz)
    {
        [&]<std::size_t... I>(std::index_sequence<I...>)
        {
            (Faz(I), ...);
        }
        (std::make_index_sequence<Meses>{});
    }

    [[nodiscard]] TMonetarioTotal& Total() { return FTotal; }
    [[nodiscard]] const TMonetarioTotal& Total() const { return FTotal; }

    // Every month 0; only the months that change tell their observers.
    void Limpa();
    // Each month takes the positive amount of the same month of Origem.
    void CopiaDe(const TSerieMensal& Origem);
    // No month above 0 (negative amounts count as 0). As the total adds the months' positive
    // amounts, this is also "month 13 and the total are both 0", without reading the total
    // (which refuses a sum past the money limit).
    [[nodiscard]] bool Zerada() const;
    // The positive amounts of months 1 to 13 added exactly, with no money limit.
    [[nodiscard]] qint64 SomaAno() const;
    // The total or month 13 reports a change (the total does for any of months 1 to 12).
    [[nodiscard]] bool Alterada() const;
    // Sets the flag of the 13 months and of the total, without telling anyone.
    void SetAlterado(bool Alterado);

private:
    static std::size_t Indice(int Mes)
    {
        if (Mes < 1 || Mes > Meses) [[unlikely]]
            ForaDaFaixa(Mes);
        return static_cast<std::size_t>(Mes - 1);
    }
    [[noreturn]] static void ForaDaFaixa(int Mes);

    // Plain values, never totals: the series reads and sets them without virtual calls, as bulk
    // loads and summaries go through every month of every item.
    std::array<TMonetario, Meses> FMeses;
    TMonetarioTotal FTotal;   // after the months: it stops observing them before they go
};
