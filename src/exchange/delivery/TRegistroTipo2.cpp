#include "exchange/delivery/TRegistroTipo2.h"

#include <algorithm>
#include <optional>

#include "exchange/layout/LayoutDeclar.h"
#include "exchange/delivery/ResultadoEntrega.h"
#include "exchange/delivery/TItemEntrega.h"
#include "exchange/delivery/TOrdemRegistros.h"
#include "exchange/delivery/TRegistroTipo3.h"
#include "exchange/delivery/TSaidaDeclar.h"

using namespace LayoutDeclar;

namespace {

using S = TItemEntrega::TSerie;

// The series of each column, by identifier; QuantidadeSeries stands for a column of zeros.
constexpr S Nenhuma = TItemEntrega::QuantidadeSeries;
constexpr S SeriesDasColunas[TRegistroTipo2::Identificadores][3] = {
    {TItemEntrega::Rendimento, TItemEntrega::Deducao, TItemEntrega::Imposto},
    {TItemEntrega::CompensacaoAnosAnteriores, TItemEntrega::CompensacaoAno, Nenhuma},
    {TItemEntrega::RendimentoSubJudice, TItemEntrega::DeducaoSubJudice, TItemEntrega::ImpostoSubJudice},
    {TItemEntrega::Deposito, Nenhuma, Nenhuma},
};

qint64 Centavos(qint64 DezMilesimos)
{
    return DezMilesimos > 0 ? (DezMilesimos + 50) / 100 : 0;
}

}   // namespace

bool TRegistroTipo2::Presente(const TItemEntrega& Item, int Identificador)
{
    switch (Identificador) {
    case 0:
        return true;
    case 1:
        return Item.Possui({S::CompensacaoAnosAnteriores, S::CompensacaoAno});
    case 2:
        return Item.Possui({S::RendimentoSubJudice, S::DeducaoSubJudice, S::ImpostoSubJudice});
    case 3:
        return Item.Possui({S::Deposito});
    default:
        return false;
    }
}

TRegistroTipo2::TColunas TRegistroTipo2::Colunas(const TItemEntrega& Item, int Identificador)
{
    TColunas colunas{};
    for (int coluna = 0; coluna < 3; ++coluna) {
        const S serie = SeriesDasColunas[Identificador][coluna];
        if (serie == Nenhuma)
            continue;
        for (int mes = 1; mes <= TItemEntrega::Meses; ++mes)
            colunas[mes - 1][coluna] = Centavos(Item.Valor(serie, mes));
    }
    return colunas;
}

namespace {

// The fields every line of the item shares: declarant, code, beneficiary kind, number and name.
TLinhaFixa LinhaDoItem(char Tipo, int Sequencia, const QString& NiDeclarante, const TItemEntrega& Item)
{
    TLinhaFixa linha = NovaLinha(Sequencia, Tipo, NiDeclarante);
    linha.Texto(24, 4, Item.Codigo);
    const char tipo[1] = {Item.BeneficiarioPf ? '1' : '2'};
    linha.Bytes(28, 1, QByteArrayView(tipo, 1));
    linha.Texto(29, 14, NiDaLinha(Item.NiBeneficiario, Item.BeneficiarioPf));
    linha.Texto(43, 60, NomeDaLinha(Item.NomeBeneficiario, Item.BeneficiarioPf));
    return linha;
}

// The values and the identifier of one of the item's lines. The 39 fields of 15 digits are
// made side by side and placed at once: this runs for every value line of the file.
void PoeValores(TLinhaFixa& Linha, const TRegistroTipo2::TColunas& Colunas, int Identificador)
{
    constexpr int Largura = 15;
    constexpr qint64 Maximo = 999'999'999'999'999;   // what the field holds; 13 digits at most are expected
    char campos[13 * 3 * Largura];
    char* campo = campos;
    for (const auto& periodo : Colunas)
        for (qint64 valor : periodo) {
            if (valor < 0 || valor > Maximo) {
                std::fill_n(campo, Largura, ' ');   // a field that cannot hold it stays blank
            } else {
                int i = Largura;
                do {
                    campo[--i] = static_cast<char>('0' + valor % 10);
                    valor /= 10;
                } while (valor > 0);
                std::fill_n(campo, i, '0');
            }
            campo += Largura;
        }
    Linha.Bytes(103, sizeof campos, QByteArrayView(campos, sizeof campos));
    const char identificador[1] = {static_cast<char>('0' + Identificador)};
    Linha.Bytes(688, 1, QByteArrayView(identificador, 1));
}

}   // namespace

TLinhaFixa TRegistroTipo2::Monta(char Tipo, int Sequencia, const QString& NiDeclarante, const TItemEntrega& Item,
                                 int Identificador)
{
    TLinhaFixa linha = LinhaDoItem(Tipo, Sequencia, NiDeclarante, Item);
    PoeValores(linha, Colunas(Item, Identificador), Identificador);
    return linha;
}

bool TRegistroTipo2::Grava(char Tipo, TSaidaDeclar& Saida, TOrdemRegistros& Ordem, const QString& NiDeclarante,
                           const TItemEntrega& Item, TTotalCodigo& Total)
{
    // One line made once per item: each identifier renumbers it and replaces its values.
    std::optional<TLinhaFixa> linha;
    for (int id = 0; id < Identificadores; ++id) {
        if (!Presente(Item, id))
            continue;
        const int sequencia = Saida.ProximaSequencia();
        if (linha)
            Numera(*linha, sequencia);
        else
            linha = LinhaDoItem(Tipo, sequencia, NiDeclarante, Item);
        const TColunas colunas = Colunas(Item, id);
        PoeValores(*linha, colunas, id);
        Saida.Grava(linha->Bytes());
        if (!Ordem.Aceita(*linha)) {
            // Of an annex's item the user reads both keys with the failure.
            Saida.Falha(ResultadoEntrega::ForaDeOrdem,
                        Tipo == '5' && id == 0
                            ? QString::fromLatin1(Ordem.Ultima() + "    -    " + TOrdemRegistros::Chave(*linha))
                            : QString());
            return false;
        }
        Saida.SomaCrc(linha->Bytes());
        Total.Soma(colunas);
    }
    return true;
}
