#include "model/items/TSerieMensal.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "model/values/TErro.h"

TSerieMensal::TSerieMensal()
{
    FTotal.ReservaParcelas(Meses - 1);   // every item holds many series
    for (int m = 0; m < Meses - 1; ++m)
        FTotal.AdicionaSoma(FMeses[m]);
    FTotal.SetAlterado(false);   // building the total is no change of the series
}

void TSerieMensal::ForaDaFaixa(int Mes)
{
    throw std::out_of_range("Mes fora de 1 a 13: " + std::to_string(Mes));
}

void TSerieMensal::Limpa()
{
    // A month at 0 already is passed over without a call: most months of a cleared item are. A
    // month that only the total observes is cleared without telling it; the total is told once,
    // after the months (it tells its own observers once a change anyway).
    qint64 algum = 0;   // most series of a cleared or judicial-free item are all 0: one pass says so
    CadaMes([&](std::size_t m) { algum |= FMeses[m].TMonetario::GetValor(); });
    if (algum == 0)
        return;
    bool calados = false;
    for (TMonetario& mes : FMeses) {
        if (mes.TMonetario::GetValor() == 0)
            continue;
        if (FTotal.UnicoObservadorDe(mes)) {
            mes.ZeraCalado();
            calados = true;
        } else {
            mes.TMonetario::SetValor(0);
        }
    }
    if (calados)
        FTotal.TermosMudaram();
}

void TSerieMensal::CopiaDe(const TSerieMensal& Origem)
{
    for (int m = 0; m < Meses; ++m)
        FMeses[m].SetValor(Origem.FMeses[m].GetValorPositivo());
}

bool TSerieMensal::Zerada() const
{
    qint64 maior = 0;
    CadaMes([&](std::size_t m) { maior = std::max(maior, FMeses[m].TMonetario::GetValor()); });
    return maior <= 0;
}

qint64 TSerieMensal::SomaAno() const
{
    // Typed and stored amounts stay below the money limit, so 13 of them never reach the 64-bit
    // one; an amount set past it in code is refused rather than wrapped.
    // The running summary adds every series of every item saved: the months are added without a
    // check each while none is past 2^59 (13 of those stay below 2^63), and checked one by one
    // only when one is.
    // Every month is below 2^59 exactly when their bits OR-ed together are; the sum is taken
    // unsigned, so that the pass stays defined whatever it finds.
    constexpr quint64 Folgado = quint64(1) << 59;
    quint64 somaRapida = 0;
    quint64 bits = 0;
    CadaMes([&](std::size_t m) {
        const auto valor = static_cast<quint64>(std::max<qint64>(FMeses[m].TMonetario::GetValor(), 0));
        bits |= valor;
        somaRapida += valor;
    });
    if (bits < Folgado)
        return static_cast<qint64>(somaRapida);
    qint64 soma = 0;
    for (const TMonetario& mes : FMeses) {
        const qint64 valor = mes.TMonetario::GetValor();
        if (__builtin_add_overflow(soma, valor < 0 ? 0 : valor, &soma))
            throw EMonetarioInvalido(CodigoMensagem::ValorExcessivo, QString(), 0);
    }
    return soma;
}

bool TSerieMensal::Alterada() const
{
    return FTotal.GetAlterado() || FMeses[Meses - 1].GetAlterado();
}

void TSerieMensal::SetAlterado(bool Alterado)
{
    CadaMes([&](std::size_t m) { FMeses[m].TDadoBasico::SetAlterado(Alterado); });
    FTotal.SetAlterado(Alterado);
}
