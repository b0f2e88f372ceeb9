#include "model/items/TColecaoItems.h"

#include "components/data/datasets/TdvTable.h"
#include "model/declaration/TPruvAnexo.h"
#include "model/items/TPruvItem.h"
#include "model/storage/OperacoesTabela.h"
#include "model/storage/ValoresArmazenados.h"

TColecaoItems::TColecaoItems(TPruvAnexo& Dono)
    : FInAnexo(Dono.EhAnexo() ? QStringLiteral("1") : QStringLiteral("0"))
    , FDono(Dono)
{}

TColecaoItems::~TColecaoItems() = default;

std::vector<TFieldDef> TColecaoItems::CamposChave()
{
    return {CampoTexto(QStringLiteral("IN_ANEXO"), 1), CampoTexto(QStringLiteral("E_PRUV/ANEXO_DK"), 5),
            CampoTexto(QStringLiteral("PRUV_ITEM_DK"), 7)};
}

TIndexDef TColecaoItems::IndicePrimario()
{
    return {QString(), QStringLiteral("IN_ANEXO;E_PRUV/ANEXO_DK;PRUV_ITEM_DK"), TIndexOption::ixPrimary};
}

void TColecaoItems::Novo()
{
    Tabela().Append();
}

bool TColecaoItems::Localiza(const TPruvItem& Item)
{
    if (!Filtrado() || FChaveFiltrada != FDono.GetChave())
        AplicaFiltro();
    return LocalizaEm(Item, FInAnexo, FDono.GetChave());
}

bool TColecaoItems::LocalizaEm(const TPruvItem& Item, const QString& InAnexo, const QString& ChaveDono)
{
    return Tabela().FindKey({InAnexo, ChaveDono, Item.GetChave()});
}

bool TColecaoItems::Carrega(TPruvItem& Item)
{
    const bool achou = Localiza(Item);
    if (achou)
        LeValores(Item);
    else
        LimpaValores(Item);
    return achou;
}

bool TColecaoItems::CarregaDe(TPruvItem& Item, const QString& InAnexo, const QString& ChaveDono)
{
    LimpaFiltro();
    const bool achou = LocalizaEm(Item, InAnexo, ChaveDono);
    if (achou)
        LeValores(Item);
    else
        LimpaValores(Item);
    AplicaFiltro();
    return achou;
}

void TColecaoItems::Exclui(const TPruvItem& Item)
{
    if (!GetNaoAtualizaAux() && Localiza(Item))
        TColecao::Exclui();
}

void TColecaoItems::ExcluiTodos()
{
    AplicaFiltro();
    ExcluiLinhas(*this);
}

void TColecaoItems::AplicaFiltro()
{
    const QString dono = FDono.GetChave();
    FChaveFiltrada.reset();   // until restricted: a failure leaves it to be done again
    RestringeTabela(Tabela(), QString(), {FInAnexo, dono, QStringLiteral("0000001")},
                    {FInAnexo, dono, QStringLiteral("9999999")},
                    {QStringLiteral("IN_ANEXO = ") + FInAnexo, QStringLiteral("E_PRUV/ANEXO_DK = ") + dono});
    SetFiltrado(true);
    FChaveFiltrada = dono;
}

void TColecaoItems::Desfaz()
{
    DescartaEdicao(Tabela());
}

void TColecaoItems::GravaChave(const TPruvItem& Item)
{
    TdvTable& tabela = Tabela();
    tabela.Fields(0)->SetAsString(FInAnexo);
    tabela.Fields(1)->SetAsString(FDono.GetChave());
    tabela.Fields(2)->SetAsString(Item.GetChave());
}
