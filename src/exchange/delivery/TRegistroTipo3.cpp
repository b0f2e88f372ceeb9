#include "exchange/delivery/TRegistroTipo3.h"

#include <algorithm>

#include "exchange/layout/LayoutDeclar.h"
#include "exchange/delivery/ResultadoEntrega.h"
#include "exchange/delivery/TSaidaDeclar.h"

using namespace LayoutDeclar;

namespace {

// A sum that reached 16 digits no longer fits its field: it stays there instead of overflowing.
constexpr qint64 Transbordo = 1'000'000'000'000'000;

}   // namespace

void TTotalCodigo::Soma(const TColunas& Colunas)
{
    ++FLinhas;
    for (std::size_t p = 0; p < FSomas.size(); ++p)
        for (std::size_t c = 0; c < 3; ++c)
            FSomas[p][c] = std::min(FSomas[p][c] + Colunas[p][c], Transbordo);
}

std::optional<TLinhaFixa> TRegistroTipo3::Monta(char Tipo, int Sequencia, const QString& NiDeclarante,
                                                const QString& Codigo, const TTotalCodigo& Total)
{
    TLinhaFixa linha = NovaLinha(Sequencia, Tipo, NiDeclarante);
    linha.Texto(24, 4, Codigo);
    bool cabe = linha.Numero(28, 8, Total.Linhas());
    for (int periodo = 0; periodo < 13; ++periodo)
        for (int coluna = 0; coluna < 3; ++coluna)
            cabe = linha.Numero(103 + 45 * periodo + 15 * coluna, 15, Total.Somas()[periodo][coluna]) && cabe;
    if (!cabe)
        return std::nullopt;
    return linha;
}

void TRegistroTipo3::Grava(char Tipo, TSaidaDeclar& Saida, const QString& NiDeclarante, const QString& Codigo,
                           const TTotalCodigo& Total)
{
    const auto linha = Monta(Tipo, Saida.ProximaSequencia(), NiDeclarante, Codigo, Total);
    if (!linha) {
        Saida.Falha(ResultadoEntrega::ValorExcessivo);
        return;
    }
    Saida.Grava(linha->Bytes());
    Saida.SomaCrc(linha->Bytes());
}
