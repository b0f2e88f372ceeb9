#include "model/items/TSerieArmazenada.h"

#include <algorithm>

#include "model/items/TPruvItem.h"
#include "model/storage/ValoresArmazenados.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TInsercao.h"

void AcrescentaColunasSerie(std::vector<TFieldDef>& Campos, const QString& Prefixo)
{
    for (int m = 1; m <= TSerieMensal::Meses; ++m)
        Campos.push_back(CampoMonetario(Prefixo + QString::number(m).rightJustified(2, QLatin1Char('0'))));
}

namespace {

// A series keeps its months in one array of plain amounts: bulk loads and walks go through it
// from the first month, without a call per month. The months the rules keep come first.
struct TMesesDaSerie {
    TMonetario* Meses;
    int Guardados;
};

TMesesDaSerie MesesDaSerie(const TSerieArmazenada& Serie, TPruvItem& Item, bool Admitida, bool Mantem13)
{
    TMonetario* const meses = &Serie.Mes(Item, 1);
    Q_ASSERT(&Serie.Mes(Item, TSerieMensal::Meses) == meses + TSerieMensal::Meses - 1);
    return {meses, !Admitida ? 0 : Mantem13 ? TSerieMensal::Meses : TSerieMensal::Meses - 1};
}

template <typename Coluna>
void LeSerieEm(Coluna&& Le, const TSerieArmazenada& Serie, TPruvItem& Item, bool Admitida, bool Mantem13)
{
    // A plain variable, not a structured binding: the lambda below captures it.
    const TMesesDaSerie serie = MesesDaSerie(Serie, Item, Admitida, Mantem13);
    TSerieMensal::CadaMes([&](std::size_t i) {
        // An equal amount changes nothing: the call is left out for it (most months stay 0).
        const int m = static_cast<int>(i);
        const qint64 valor = m < serie.Guardados ? Le(Serie.PrimeiraColuna + m) : 0;
        if (valor != serie.Meses[m].TMonetario::GetValor())
            serie.Meses[m].TMonetario::SetValor(valor);
    });
}

}   // namespace

void LeSerie(const TColunaMonetaria& Coluna, const TSerieArmazenada& Serie, TPruvItem& Item, bool Admitida,
             bool Mantem13)
{
    LeSerieEm(Coluna, Serie, Item, Admitida, Mantem13);
}

void LeSerie(const TComando& Linha, int Inicio, const TSerieArmazenada& Serie, TPruvItem& Item, bool Admitida,
             bool Mantem13)
{
    LeSerieEm([&Linha, Inicio](int Coluna) { return Linha.Inteiro(Inicio + Coluna); }, Serie, Item, Admitida, Mantem13);
}

TColunaMonetaria ColunasDe(const TdvTable& Tabela)
{
    return [&Tabela](int Coluna) { return LeMonetario(Tabela, Coluna); };
}

namespace {

template <typename Coluna>
void GravaSerieEm(Coluna&& Grava, const TSerieArmazenada& Serie, TPruvItem& Item, bool Admitida, bool Mantem13)
{
    const auto [meses, guardados] = MesesDaSerie(Serie, Item, Admitida, Mantem13);
    for (int m = 0; m < TSerieMensal::Meses; ++m) {
        TMonetario& valor = meses[m];
        if (m >= guardados)
            valor.TMonetario::SetValor(0);
        Grava(Serie.PrimeiraColuna + m, std::max<qint64>(valor.TMonetario::GetValor(), 0));
    }
}

}   // namespace

void GravaSerie(const TGravaColuna& Coluna, const TSerieArmazenada& Serie, TPruvItem& Item, bool Admitida,
                bool Mantem13)
{
    GravaSerieEm(Coluna, Serie, Item, Admitida, Mantem13);
}

void GravaSerie(TInsercao& Linha, const TSerieArmazenada& Serie, TPruvItem& Item, bool Admitida, bool Mantem13)
{
    GravaSerieEm([&Linha](int Coluna, qint64 Valor) { Linha.Inteiro(Coluna, Valor); }, Serie, Item, Admitida, Mantem13);
}

TGravaColuna ColunasPara(TdvTable& Tabela)
{
    return [&Tabela](int Coluna, qint64 Valor) { GravaMonetario(Tabela, Coluna, Valor); };
}
