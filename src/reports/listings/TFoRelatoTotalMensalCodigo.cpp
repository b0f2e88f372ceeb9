#include "reports/listings/TFoRelatoTotalMensalCodigo.h"

#include "model/items/RegrasDoItem.h"
#include "model/items/TPruvItem.h"
#include "platform/report/bands/TRelatorio.h"
#include "platform/report/elements/TRotulo.h"
#include "platform/report/bands/TSubDetalhe.h"
#include "reports/forms/ExecutaRelato.h"
#include "reports/forms/FormularioRelato.h"

namespace {

constexpr qreal AlturaMes = 18;
constexpr qreal AlturaTotal = 22;
constexpr qreal AlturaTotalComDecisao = 62;

}   // namespace

TFoRelatoTotalMensalCodigo::TFoRelatoTotalMensalCodigo(const TPruv& Declaracao, TColecaoPruv& Colecao)
    : TFoRelatoLista(QString::fromLatin1(Nome), QStringLiteral("Total Mensal por Código"), Declaracao, Colecao,
                     TColecaoPruvItem::OrdemCodigo, false)
{
    TRelatorio& r = Relatorio();
    const qreal largura = r.Papel().LarguraUtil();
    TituloColuna(QStringLiteral("QRLTituloMes"), QStringLiteral("Mês"), 20);
    TitulosValores();

    // The code's header (the report's band "QRBDetalhe") opens its months and names the code
    // again at the top of every page its months go on to.
    FCabecalhoCodigo = &r.CriaBanda(TTipoBanda::CabecalhoGrupo, QStringLiteral("QRBDetalhe"));
    FCabecalhoCodigo->Altura = 26;
    FCabecalhoCodigo->RepeteEmNovaPagina = true;
    Rotulo(*FCabecalhoCodigo, QStringLiteral("QRLTituloCodigo"), QStringLiteral("Código:"), 0, 6, 9, true);
    FCodigo = &Rotulo(*FCabecalhoCodigo, QStringLiteral("QRLCodigo"), QString(), 55, 6, 9, true);
    FDescricao = &Rotulo(*FCabecalhoCodigo, QStringLiteral("QRLDescricao"), QString(), 120, 6, 9);

    FMeses = &r.CriaSubDetalhe(QStringLiteral("QRSubDetail1"));
    FMeses->ImprimeSeVazio = false;
    FMeses->Cabecalho = FCabecalhoCodigo;
    FMeses->Altura = AlturaMes;
    FMeses->PrecisaDados = [this] { return PrecisaMes(); };
    FMes = &Rotulo(*FMeses, QStringLiteral("QRLMes"), QString(), 20, 2);
    RotulosValores(*FMeses, QStringLiteral("QRL"), 2, FRendimento, FDeducao, FImposto);

    FDecisaoMes = &r.CriaFilha(QStringLiteral("ChildBand1"), *FMeses);
    FDecisaoMes->Altura = TParteDecisaoJudicial::Altura + 4;
    FDecisao = std::make_unique<TParteDecisaoJudicial>(*FDecisaoMes, QStringLiteral("QRLJudicial"), 0, DireitaImposto);
    // Shown or not with its month (PrecisaMes), and on its month's page.
    FDecisaoMes->FicaComPai = true;

    TBanda& rodape = r.CriaBanda(TTipoBanda::RodapeGrupo, QStringLiteral("QRBRodapeGrupo"));
    rodape.Altura = AlturaTotal;
    Linha(rodape, QStringLiteral("LinhaTotal"), 0, largura);
    Rotulo(rodape, QStringLiteral("QRLTituloTotal"), QStringLiteral("Total Código"), 0, 5, 8, true);
    RotulosValores(rodape, QStringLiteral("QRLTotal"), 5, FTotalRendimento, FTotalDeducao, FTotalImposto);
    for (TRotulo* t : {FTotalRendimento, FTotalDeducao, FTotalImposto})
        t->Fonte = FonteRelato(8, true);
    FDecisaoTotal = std::make_unique<TParteDecisaoJudicial>(rodape, QStringLiteral("QRLTotalJudicial"), AlturaTotal,
                                                            DireitaImposto);
    rodape.AntesDeImprimir = [this](TBanda& banda, bool&) { PreencheRodape(banda); };
    FMeses->Rodape = &rodape;
}

TFoRelatoTotalMensalCodigo::~TFoRelatoTotalMensalCodigo() = default;

void TFoRelatoTotalMensalCodigo::IniciaGeracao()
{
    FMesAtual = 0;
    FAcumulado.fill(TMes{});
}

void TFoRelatoTotalMensalCodigo::TomaItem(const TPruvItem& Item)
{
    // Every item of the code, in this section, into one record.
    const TCodigoRetencao& codigo = Item.GetCodigoRetencao();
    const QString texto = codigo.GetCodigo();
    FCodigo->Texto = texto;
    FDescricao->Texto = codigo.GetResumo();
    FDecimoTerceiro = RegrasDoItem::MantemDecimoTerceiro(Item);
    FAcumulado.fill(TMes{});
    FMesAtual = 0;
    while (Percurso().Proximo() == TPercursoDeclaracao::TRegistro::Item
           && Percurso().Item().GetCodigoRetencao().GetCodigo() == texto) {
        AcumulaItem(Percurso().Item());
        Percurso().Avanca();
        AtualizaProgresso();
    }
    // The code's header goes to the next page with its first month.
    FCabecalhoCodigo->ReservaAbaixo = AlturaMes
        + (TParteDecisaoJudicial::Zerados(FAcumulado[0].Decisao) ? 0 : FDecisaoMes->Altura);
}

void TFoRelatoTotalMensalCodigo::AcumulaItem(const TPruvItem& Item)
{
    const TRendimentosTributaveis& valores = Item.GetValores();
    for (int m = 1; m <= Meses; ++m) {
        TMes& mes = FAcumulado[m - 1];
        const std::array<qint64, Valores> tributaveis = {valores.GetRendimento(m).GetValorPositivo(),
                                                         valores.GetDeducao(m).GetValorPositivo(),
                                                         valores.GetImposto(m).GetValorPositivo()};
        for (int i = 0; i < Valores; ++i)
            mes.Tributaveis[i] = SomaCentavos(mes.Tributaveis[i], tributaveis[i]);
        Acumula(mes.Decisao, TParteDecisaoJudicial::DoMes(Item, m));
    }
}

bool TFoRelatoTotalMensalCodigo::PrecisaMes()
{
    if (!RegistroDeItem())
        return false;
    const int ultimo = FDecimoTerceiro ? 13 : 12;
    if (FMesAtual >= ultimo)
        return false;
    ++FMesAtual;
    const TMes& mes = FAcumulado[FMesAtual - 1];
    FMes->Texto = MesAbreviado(FMesAtual);
    FRendimento->Texto = TextoValor(mes.Tributaveis[Rendimento]);
    FDeducao->Texto = TextoValor(mes.Tributaveis[Deducao]);
    FImposto->Texto = TextoValor(mes.Tributaveis[Imposto]);
    FDecisaoMes->Habilitada = !TParteDecisaoJudicial::Zerados(mes.Decisao);
    FDecisao->Preenche(mes.Decisao);
    // The code's total keeps its last month with it.
    FMeses->ReservaAbaixo = 0;
    if (FMesAtual == ultimo) {
        PreencheRodape(*FMeses->Rodape);
        FMeses->ReservaAbaixo = FMeses->Rodape->Altura;
    }
    return true;
}

void TFoRelatoTotalMensalCodigo::PreencheRodape(TBanda& Banda)
{
    // Every month, the 13th included whether or not its line printed.
    std::array<qint64, Valores> total{};
    TParteDecisaoJudicial::TValores decisao{};
    for (const TMes& mes : FAcumulado) {
        for (int i = 0; i < Valores; ++i)
            total[i] += mes.Tributaveis[i];
        for (std::size_t i = 0; i < decisao.size(); ++i)
            decisao[i] += mes.Decisao[i];
    }
    FTotalRendimento->Texto = TextoValor(total[Rendimento]);
    FTotalDeducao->Texto = TextoValor(total[Deducao]);
    FTotalImposto->Texto = TextoValor(total[Imposto]);
    Banda.Altura = FDecisaoTotal->MostraSeHouver(decisao) ? AlturaTotalComDecisao : AlturaTotal;
}

void ImprimeRelatoTotalMensalCodigo(const TPruv& Declaracao, TColecaoPruv& Colecao, bool Visualiza)
{
    ExecutaRelato<TFoRelatoTotalMensalCodigo>(Visualiza, Declaracao, Colecao);
}
