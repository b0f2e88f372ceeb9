#include "reports/listings/TFoRelatoListaBenef.h"

#include "model/declaration/TPruv.h"
#include "model/items/RegrasDoItem.h"
#include "model/items/TPruvItem.h"
#include "platform/report/bands/TRelatorio.h"
#include "platform/report/elements/TRotulo.h"
#include "reports/forms/ExecutaRelato.h"
#include "reports/forms/FormularioRelato.h"
#include "reports/forms/TParteDecisaoJudicial.h"
#include "reports/forms/TRodapeRelato.h"

namespace {

// The number and the code stand just left of the widest year total an item can reach (thirteen
// months at the largest amount), so that names get the room.
constexpr qreal XNi = 405;
constexpr qreal XCodigo = 515;

}   // namespace

TFoRelatoListaBenef::TFoRelatoListaBenef(const TPruv& Declaracao, TColecaoPruv& Colecao)
    : TFoRelatoLista(QString::fromLatin1(Nome), QStringLiteral("Relatório com Lista de Beneficiários"), Declaracao,
                     Colecao, TColecaoPruvItem::OrdemBeneficiario, true)
{
    TRelatorio& r = Relatorio();
    TituloColuna(QStringLiteral("QRLTituloBeneficiario"), QStringLiteral("Beneficiário"), 0);
    TituloColuna(QStringLiteral("QRLTituloNi"), QStringLiteral("CNPJ / CPF"), XNi);
    TituloColuna(QStringLiteral("QRLTituloCodigo"), QStringLiteral("Código"), XCodigo);
    TitulosValores();

    FDetalhe = &r.CriaBanda(TTipoBanda::Detalhe, QStringLiteral("QRBDetalhe"));
    FDetalhe->Altura = AlturaLinha;
    FNome = &Rotulo(*FDetalhe, QStringLiteral("QRLNomeBenef"), QString(), 0, 4);
    FNi = &Rotulo(*FDetalhe, QStringLiteral("QRLCPFBenef"), QString(), XNi, 4);
    FCodigo = &Rotulo(*FDetalhe, QStringLiteral("QRLCodigo"), QString(), XCodigo, 4);
    FAsterisco = &Rotulo(*FDetalhe, QStringLiteral("QRLAsterisco"), QStringLiteral("**"), XCodigo + 32, 4, 8, true);
    RotulosValores(*FDetalhe, QStringLiteral("QRL"), 4, FRendimento, FDeducao, FImposto);
    FDecisao = std::make_unique<TParteDecisaoJudicial>(*FDetalhe, QStringLiteral("QRLJudicial"), AlturaLinha,
                                                       DireitaImposto);
    FDetalhe->AntesDeImprimir = [this](TBanda&, bool& imprime) { imprime = RegistroDeItem(); };
    FDetalhe->DepoisDeImprimir = [this](TBanda&, bool impressa) {
        if (impressa && FDecimoTerceiro)
            Rodape().MarcaDecimoTerceiro();
    };

    FSumario = &r.CriaBanda(TTipoBanda::Sumario, QStringLiteral("QRBSumario"));
    TBanda& sumario = *FSumario;
    sumario.Altura = 30;
    Linha(sumario, QStringLiteral("LinhaSumario"), 2, r.Papel().LarguraUtil());
    Rotulo(sumario, QStringLiteral("QRLTituloTotal"), QStringLiteral("Total de beneficiários / código da declaração:"),
           0, 10, 8, true);
    FTotalBeneficiarios = &Rotulo(sumario, QStringLiteral("QRLTotalBenef"), QString(), 260, 10, 8, true);
    sumario.AntesDeImprimir = [this](TBanda&, bool&) {
        // The rows listed above it, a fund kept out of the delivery's included.
        FTotalBeneficiarios->Texto = QString::number(Percurso().ItensTomados());
    };
}

TFoRelatoListaBenef::~TFoRelatoListaBenef() = default;

void TFoRelatoListaBenef::TomaItem(const TPruvItem& Item)
{
    SetaValoresPruvItem(Item);
    Percurso().Avanca();
    // The list's total never stands alone on a page: the last line keeps room for it.
    FDetalhe->ReservaAbaixo = Percurso().Proximo() == TPercursoDeclaracao::TRegistro::Fim ? FSumario->Altura : 0;
}

void TFoRelatoListaBenef::SetaValoresPruvItem(const TPruvItem& Item)
{
    const TBeneficiarioPruv& beneficiario = Item.GetBeneficiario();
    FCodigo->Texto = Item.GetCodigoRetencao().GetCodigo();
    FNi->Texto = beneficiario.GetNiFormatado();
    FNome->Texto = beneficiario.Nome().GetTexto();
    // A long name stops short of the number: smaller, where a size still read holds it whole.
    EncolheNaColuna(*FNome, FonteRelato(8), XNi - 8, PontosLegiveis);
    const TRendimentosTributaveis& valores = Item.GetValores();
    FRendimento->Texto = TextoValor(ValorAnual(valores.Rendimentos()));
    FDeducao->Texto = TextoValor(ValorAnual(valores.Deducoes()));
    FImposto->Texto = TextoValor(ValorAnual(valores.Impostos()));
    FDecimoTerceiro = RegrasDoItem::MantemDecimoTerceiro(Item);
    FAsterisco->Habilitado = FDecimoTerceiro;
    SetaValoresSubJudice(Item);
}

void TFoRelatoListaBenef::SetaValoresSubJudice(const TPruvItem& Item)
{
    const TSubJudice& sj = Item.GetSubJudice();
    const bool mostra = !sj.Zerado() || !sj.DepositoZerado() || !Item.GetCompensacao().Zerado();
    FDetalhe->Altura = mostra ? AlturaComDecisao : AlturaLinha;
    FDecisao->Mostra(mostra);
    if (mostra)
        FDecisao->Preenche(TParteDecisaoJudicial::DoItem(Item));
}

void ImprimeRelatoListaBenef(const TPruv& Declaracao, TColecaoPruv& Colecao, bool Visualiza)
{
    ExecutaRelato<TFoRelatoListaBenef>(Visualiza, Declaracao, Colecao);
}
