#include "reports/listings/TFoRelatoBenefPorCodigo.h"

#include "model/items/RegrasDoItem.h"
#include "model/items/TPruvItem.h"
#include "platform/report/pages/TMedidaTexto.h"
#include "platform/report/bands/TRelatorio.h"
#include "platform/report/elements/TRotulo.h"
#include "platform/report/bands/TSubDetalhe.h"
#include "reports/forms/ExecutaRelato.h"
#include "reports/forms/FormularioRelato.h"
#include "reports/forms/TParteDecisaoJudicial.h"
#include "reports/forms/TRodapeRelato.h"

namespace {

constexpr qreal XNome = 140;
constexpr qreal LarguraNi = 125;

}   // namespace

TFoRelatoBenefPorCodigo::TFoRelatoBenefPorCodigo(const TPruv& Declaracao, TColecaoPruv& Colecao, bool Analitico)
    : TFoRelatoLista(QString::fromLatin1(Nome), QStringLiteral("Relatório de Totais por Código"), Declaracao, Colecao,
                     TColecaoPruvItem::OrdemCodigo, true)
    , FAnalitico(Analitico)
{
    TRelatorio& r = Relatorio();
    const qreal largura = r.Papel().LarguraUtil();
    TituloColuna(QStringLiteral("QRLTituloNi"),
                 Analitico ? QStringLiteral("CNPJ / CPF") : QStringLiteral("Beneficiários"), 0);
    if (Analitico)
        TituloColuna(QStringLiteral("QRLTituloBeneficiario"), QStringLiteral("Beneficiário"), XNome);
    TitulosValores();

    // The code's header, its items' lines and its footer.
    FLinhas = &r.CriaSubDetalhe(QStringLiteral("QRSubDetail"));
    FLinhas->ImprimeSeVazio = false;
    FLinhas->Altura = Analitico ? AlturaComDecisao : 0;
    FLinhas->PrecisaDados = [this] { return PrecisaLinha(); };
    FLinhas->AntesDeImprimir = [this](TBanda&, bool& imprime) { imprime = FAnalitico; };
    FNi = &Rotulo(*FLinhas, QStringLiteral("QRLCPFBenef"), QString(), 0, 4);
    FNome = &Rotulo(*FLinhas, QStringLiteral("QRLNomeBenef"), QString(), XNome, 4);
    RotulosValores(*FLinhas, QStringLiteral("QRL"), 4, FRendimento, FDeducao, FImposto);
    FDecisao = std::make_unique<TParteDecisaoJudicial>(*FLinhas, QStringLiteral("QRLJudicial"), AlturaLinha,
                                                       DireitaImposto);

    FCabecalhoCodigo = &r.CriaBanda(TTipoBanda::CabecalhoGrupo, QStringLiteral("QRGrupoCodigo"));
    FCabecalhoCodigo->Altura = 26;
    // A page that goes on with the code's lines names the code again at its top.
    FCabecalhoCodigo->RepeteEmNovaPagina = true;
    Rotulo(*FCabecalhoCodigo, QStringLiteral("QRLTituloCodigo"), QStringLiteral("Código:"), 0, 6, 9, true);
    FCodigo = &Rotulo(*FCabecalhoCodigo, QStringLiteral("QRLCodigo"), QString(), 55, 6, 9, true);
    FAsterisco = &Rotulo(*FCabecalhoCodigo, QStringLiteral("QRLAsterisco"), QStringLiteral("**"), 95, 6, 9, true);
    FDescricao = &Rotulo(*FCabecalhoCodigo, QStringLiteral("QRLDescricao"), QString(), 120, 6, 9);
    FCabecalhoCodigo->DepoisDeImprimir = [this](TBanda&, bool impressa) {
        if (impressa && FDecimoTerceiro)
            Rodape().MarcaDecimoTerceiro();
    };
    FLinhas->Cabecalho = FCabecalhoCodigo;

    FRodapeCodigo = &r.CriaBanda(TTipoBanda::RodapeGrupo, QStringLiteral("QRBRodapeGrupo"));
    FRodapeCodigo->Altura = AlturaLinha;
    Linha(*FRodapeCodigo, QStringLiteral("LinhaTotal"), 0, largura);
    Rotulo(*FRodapeCodigo, QStringLiteral("QRLTituloTotal"), QStringLiteral("Total:"), 0, 5, 8, true);
    FQuantidade = &RotuloValor(*FRodapeCodigo, QStringLiteral("QRLQuantidade"), LarguraNi, 5, 70, 8, true);
    RotulosValores(*FRodapeCodigo, QStringLiteral("QRLTotal"), 5, FTotalRendimento, FTotalDeducao, FTotalImposto);
    for (TRotulo* t : {FTotalRendimento, FTotalDeducao, FTotalImposto})
        t->Fonte = FonteRelato(8, true);
    FDecisaoTotal = std::make_unique<TParteDecisaoJudicial>(*FRodapeCodigo, QStringLiteral("QRLTotalJudicial"),
                                                            AlturaLinha, DireitaImposto);
    FRodapeCodigo->AntesDeImprimir = [this](TBanda& banda, bool&) { PreencheRodape(banda); };
    FRodapeCodigo->DepoisDeImprimir = [this](TBanda&, bool) { ZeraTotais(); };
    FLinhas->Rodape = FRodapeCodigo;
}

TFoRelatoBenefPorCodigo::~TFoRelatoBenefPorCodigo() = default;

void TFoRelatoBenefPorCodigo::IniciaGeracao()
{
    FCodigoGrupo.clear();
    ZeraTotais();
}

void TFoRelatoBenefPorCodigo::ZeraTotais()
{
    FItens = 0;
    FTotais.fill(0);
    FTotaisDecisao.fill(0);
}

void TFoRelatoBenefPorCodigo::TomaItem(const TPruvItem& Item)
{
    // A code's record: its lines take the items while they keep the code.
    FCodigoGrupo = Item.GetCodigoRetencao().GetCodigo();
    FCodigo->Texto = FCodigoGrupo;
    FDescricao->Texto = Item.GetCodigoRetencao().GetResumo();
    FDecimoTerceiro = RegrasDoItem::MantemDecimoTerceiro(Item);
    FAsterisco->Habilitado = FDecimoTerceiro;
    ZeraTotais();
}

bool TFoRelatoBenefPorCodigo::PrecisaLinha()
{
    if (!RegistroDeItem() || Percurso().Proximo() != TPercursoDeclaracao::TRegistro::Item
        || Percurso().Item().GetCodigoRetencao().GetCodigo() != FCodigoGrupo)
        return false;
    SetaValoresPruvItem(Percurso().Item());
    Percurso().Avanca();
    AtualizaProgresso();
    // The code's total never opens a page alone: its last line keeps room for it, and the
    // header keeps room for the first line (or, in the synthetic report, for the total).
    const bool ultima = Percurso().Proximo() != TPercursoDeclaracao::TRegistro::Item
        || Percurso().Item().GetCodigoRetencao().GetCodigo() != FCodigoGrupo;
    FLinhas->ReservaAbaixo = 0;
    if (ultima) {
        PreencheRodape(*FRodapeCodigo);
        FLinhas->ReservaAbaixo = FRodapeCodigo->Altura;
    }
    if (FItens == 1)
        FCabecalhoCodigo->ReservaAbaixo = FAnalitico ? FLinhas->Altura + FLinhas->ReservaAbaixo : AlturaComDecisao;
    return true;
}

void TFoRelatoBenefPorCodigo::SetaValoresPruvItem(const TPruvItem& Item)
{
    const TBeneficiarioPruv& beneficiario = Item.GetBeneficiario();
    FNi->Texto = beneficiario.GetNiFormatado();
    FNome->Texto = beneficiario.Nome().GetTexto();
    const TRendimentosTributaveis& valores = Item.GetValores();
    const std::array<qint64, Totais> linha = {ValorAnual(valores.Rendimentos()), ValorAnual(valores.Deducoes()),
                                              ValorAnual(valores.Impostos())};
    FRendimento->Texto = TextoValor(linha[Rendimento]);
    // The name runs up to where this line's income begins, smaller where a size still read
    // holds it whole there.
    EncolheNaColuna(*FNome, FonteRelato(8),
                    FRendimento->Esquerda + FRendimento->Largura
                        - TMedidaTexto::Largura(FRendimento->Fonte, FRendimento->Texto) - 8,
                    PontosLegiveis);
    FDeducao->Texto = TextoValor(linha[Deducao]);
    FImposto->Texto = TextoValor(linha[Imposto]);
    for (int i = 0; i < Totais; ++i)
        FTotais[i] = SomaCentavos(FTotais[i], linha[i]);
    ++FItens;
    SetaValoresSubJudice(Item);
}

void TFoRelatoBenefPorCodigo::SetaValoresSubJudice(const TPruvItem& Item)
{
    const TParteDecisaoJudicial::TValores decisao = TParteDecisaoJudicial::DoItem(Item);
    FDecisao->Preenche(decisao);
    Acumula(FTotaisDecisao, decisao);
}

void TFoRelatoBenefPorCodigo::PreencheRodape(TBanda& Banda)
{
    FQuantidade->Texto = QString::number(FItens);
    FTotalRendimento->Texto = TextoValor(FTotais[Rendimento]);
    FTotalDeducao->Texto = TextoValor(FTotais[Deducao]);
    FTotalImposto->Texto = TextoValor(FTotais[Imposto]);
    Banda.Altura = FDecisaoTotal->MostraSeHouver(FTotaisDecisao) ? AlturaComDecisao : AlturaLinha;
}

void ImprimeRelatoBenefPorCodigo(const TPruv& Declaracao, TColecaoPruv& Colecao, bool Visualiza, bool Analitico)
{
    ExecutaRelato<TFoRelatoBenefPorCodigo>(Visualiza, Declaracao, Colecao, Analitico);
}
