#include "model/items/TColecaoJudicial.h"

#include <array>

#include "components/data/datasets/TdvTable.h"
#include "model/storage/OperacoesTabela.h"
#include "model/values/TErro.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TDatabase.h"
#include "model/declaration/TPruvAnexo.h"
#include "model/items/TPruvItem.h"
#include "model/items/RegrasDoItem.h"
#include "model/items/TSerieArmazenada.h"

namespace {

enum TipoSerie { stSubJudice, stDeducao, stDeposito, stCompensacao };

struct TSerieJudicial {
    TSerieArmazenada Serie;
    TipoSerie Tipo;
    const char* Prefixo;
};

// In the order of the table's columns, from position 3.
const std::array<TSerieJudicial, 6> Series{{
    {{[](TPruvItem& i, int m) -> TMonetario& { return i.GetSubJudice().GetRendimento(m); }, 3},
     stSubJudice,
     "REND_SUBJUD_"},
    {{[](TPruvItem& i, int m) -> TMonetario& { return i.GetSubJudice().GetDeducao(m); }, 16}, stDeducao, "DED_SUBJUD_"},
    {{[](TPruvItem& i, int m) -> TMonetario& { return i.GetSubJudice().GetImposto(m); }, 29},
     stSubJudice,
     "IRRF_SUBJUD_"},
    {{[](TPruvItem& i, int m) -> TMonetario& { return i.GetSubJudice().GetDeposito(m); }, 42},
     stDeposito,
     "DEP_SUBJUD_"},
    {{[](TPruvItem& i, int m) -> TMonetario& { return i.GetCompensacao().GetCompensacaoAno(m); }, 55},
     stCompensacao,
     "COMP_ANO_ATU_"},
    {{[](TPruvItem& i, int m) -> TMonetario& { return i.GetCompensacao().GetCompensacaoAnosAnteriores(m); }, 68},
     stCompensacao,
     "COMP_ANO_ANT_"},
}};

bool Admitidos(const TPruvItem& Item)
{
    return Item.GetCodigoRetencao().GetSubJudice() && Item.GetBeneficiario().TipoAtual() != TNiContribuinte::Cnpj;
}

// Whether the item may hold the series, when reading (Leitura) or writing.
bool Admitida(const TPruvItem& Item, TipoSerie Tipo, bool Leitura)
{
    switch (Tipo) {
    case stDeposito:
        return Leitura || Admitidos(Item);
    case stDeducao:
        return Admitidos(Item) && Item.GetCodigoRetencao().GetDeducao();
    default:
        return Admitidos(Item);
    }
}

// Into a row being posted or straight into a prepared insert (Destino picks GravaSerie's form).
template <typename Destino> void GravaValoresEm(Destino& Linha, TPruvItem& Item)
{
    const bool mantem13 = RegrasDoItem::MantemDecimoTerceiro(Item);
    for (const TSerieJudicial& s : Series)
        GravaSerie(Linha, s.Serie, Item, Admitida(Item, s.Tipo, false), mantem13);
}

}   // namespace

QString TColecaoJudicial::NomeArquivo()
{
    return QStringLiteral("Judicial.db");
}

TColecaoJudicial::TColecaoJudicial(TPruvAnexo& Dono)
    : TColecaoItems(Dono)
{
    CriaTabelaColecao(NomeArquivo());
    CriaEsquema(&Campos, &Indices);
    AbreTabelaColecaoRestrita([this] { AplicaFiltro(); });
}

TColecaoJudicial::~TColecaoJudicial() = default;

std::vector<TFieldDef> TColecaoJudicial::Campos()
{
    std::vector<TFieldDef> campos = CamposChave();
    for (const TSerieJudicial& s : Series)
        AcrescentaColunasSerie(campos, QLatin1String(s.Prefixo));
    return campos;
}

std::vector<TIndexDef> TColecaoJudicial::Indices()
{
    return {IndicePrimario()};
}

void TColecaoJudicial::LeValores(TPruvItem& Item)
{
    LeValoresDe(ColunasDe(Tabela()), Item);
}

namespace {

template <typename... Origem> void LeSeriesJudiciais(TPruvItem& Item, const Origem&... Linha)
{
    const bool mantem13 = RegrasDoItem::MantemDecimoTerceiro(Item);
    for (const TSerieJudicial& s : Series)
        LeSerie(Linha..., s.Serie, Item, Admitida(Item, s.Tipo, true), mantem13);
}

}   // namespace

void TColecaoJudicial::LeValoresDe(const TColunaMonetaria& Coluna, TPruvItem& Item)
{
    LeSeriesJudiciais(Item, Coluna);
}

void TColecaoJudicial::LeValoresDe(const TComando& Linha, int Inicio, TPruvItem& Item)
{
    LeSeriesJudiciais(Item, Linha, Inicio);
}

void TColecaoJudicial::LimpaValores(TPruvItem& Item)
{
    TSubJudice& subJudice = Item.GetSubJudice();
    subJudice.LimpaRendimentos();
    subJudice.LimpaDeducoes();
    subJudice.LimpaImpostos();
    subJudice.LimpaDepositos();
    Item.GetCompensacao().Limpa();
}

void TColecaoJudicial::GravaValores(TPruvItem& Item)
{
    if (GetNaoAtualizaAux() || !Localiza(Item))
        Novo();
    Tabela().Edit();
    GravaChave(Item);
    const TGravaColuna colunas = ColunasPara(Tabela());
    GravaValoresEm(colunas, Item);
    Grava();
}

void TColecaoJudicial::InsereDireto(TPruvItem& Item)
{
    try {
        if (!FInsercao)
            FInsercao = std::make_unique<TInsercao>(Tabela().OpenDatabase(), NomeArquivo(), Campos());
        TInsercao& linha = *FInsercao;
        linha.Texto(0, GetInAnexo());
        linha.Texto(1, Dono().GetChave());
        linha.Texto(2, Item.GetChave());
        GravaValoresEm(linha, Item);
        linha.Grava();
    } catch (const EDatabaseError& e) {
        throw EColecaoError(CodigoMensagem::TabelaNaoAtualizada, ParametroEscrita(NomeTabela(), e), 0);
    }
}
