#include "exchange/TRegistroTipo2.h"

#include "exchange/LayoutDeclar.h"
#include "exchange/ResultadoEntrega.h"
#include "exchange/TItemEntrega.h"
#include "exchange/TOrdemRegistros.h"
#include "exchange/TRegistroTipo3.h"
#include "exchange/TSaidaDeclar.h"
#include "platform/ui/InterfaceUsuario.h"

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

}  // namespace

bool TRegistroTipo2::Presente(const TItemEntrega& Item, int Identificador)
{
    switch (Identificador) {
    case 0: return true;
    case 1: return Item.Possui({S::CompensacaoAnosAnteriores, S::CompensacaoAno});
    case 2: return Item.Possui({S::RendimentoSubJudice, S::DeducaoSubJudice, S::ImpostoSubJudice});
    case 3: return Item.Possui({S::Deposito});
    default: return false;
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

TLinhaFixa TRegistroTipo2::Monta(char Tipo, int Sequencia, const QString& NiDeclarante, const TItemEntrega& Item,
                                 int Identificador)
{
    TLinhaFixa linha = NovaLinha(Sequencia, Tipo, NiDeclarante);
    linha.Texto(24, 4, Item.Codigo);
    linha.Texto(28, 1, Item.BeneficiarioPf ? QStringLiteral("1") : QStringLiteral("2"));
    linha.Texto(29, 14, NiDaLinha(Item.NiBeneficiario, Item.BeneficiarioPf));
    linha.Texto(43, 60, NomeDaLinha(Item.NomeBeneficiario, Item.BeneficiarioPf));
    const TColunas colunas = Colunas(Item, Identificador);
    for (int periodo = 0; periodo < 13; ++periodo)
        for (int coluna = 0; coluna < 3; ++coluna)
            linha.Numero(103 + 45 * periodo + 15 * coluna, 15, colunas[periodo][coluna]);   // 13 digits at most
    linha.Texto(688, 1, QString::number(Identificador));
    return linha;
}

bool TRegistroTipo2::Grava(char Tipo, TSaidaDeclar& Saida, TOrdemRegistros& Ordem, const QString& NiDeclarante,
                           const TItemEntrega& Item, TTotalCodigo& Total)
{
    for (int id = 0; id < Identificadores; ++id) {
        if (!Presente(Item, id))
            continue;
        const TLinhaFixa linha = Monta(Tipo, Saida.ProximaSequencia(), NiDeclarante, Item, id);
        Saida.Grava(linha.Bytes());
        const QByteArray anterior = Ordem.Ultima();
        if (!Ordem.Aceita(linha)) {
            if (Tipo == '5' && id == 0)
                InterfaceUsuario::Mostra(QString::fromLatin1(anterior + "    -    " + TOrdemRegistros::Chave(linha)),
                                         TipoDialogo::Erro, Botao::Ok);
            Saida.Falha(ResultadoEntrega::ForaDeOrdem);
            return false;
        }
        Saida.SomaCrc(linha.Bytes());
        Total.Soma(Colunas(Item, id));
    }
    return true;
}
