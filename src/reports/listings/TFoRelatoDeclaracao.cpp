#include "reports/listings/TFoRelatoDeclaracao.h"

#include <QScopeGuard>
#include <cmath>

#include "model/declaration/TAnexoFC.h"
#include "model/declaration/TPruv.h"
#include "model/items/RegrasDoItem.h"
#include "shell/common/AvisosImpressora.h"
#include "shell/common/PapelRelatorio.h"
#include "model/items/TPruvItem.h"
#include "platform/report/pages/TMedidaTexto.h"
#include "platform/report/bands/TRelatorio.h"
#include "platform/report/elements/TRotulo.h"
#include "platform/report/pages/TUnidades.h"
#include "reports/forms/ExecutaRelato.h"
#include "reports/forms/FormularioRelato.h"
#include "reports/forms/TCabecalhoRelato.h"
#include "reports/forms/TRodapeRelato.h"
#include "reports/forms/TRotuloPagina.h"
#include "reports/forms/TTextoInteiro.h"
#include "shell/printing/TFoPreview.h"

namespace {

constexpr qreal AlturaLinha = 16;
constexpr qreal TopoGrade = 64;     // the first month of the detail
constexpr qreal TopoGradeSJ = 44;   // and of the band of suspended liability
constexpr qreal LarguraValor = 100;
constexpr qreal LarguraTotal = 109;
constexpr qreal AlturaSubJudice13 = 280;
constexpr qreal AlturaSubJudice = 264;

// Left edges of the values and the totals of the income, deduction and tax columns: with the
// compensation columns shown, and without them. Each title ends where its values end.
struct TPosicao {
    qreal Valores, Total;
};
constexpr TPosicao ComCompensacao[3] = {{49, 40}, {179, 170}, {309, 301}};
constexpr TPosicao SemCompensacao[3] = {{109, 100}, {269, 260}, {429, 421}};
// Right edges of the compensation columns, and of the columns of suspended liability.
constexpr qreal DireitaCompensacao[2] = {519, 629};
constexpr qreal DireitaSubJudice[4] = {209, 369, 529, 689};
constexpr qreal LarguraTitulo = 110;
constexpr qreal TopoTituloResponsavel = 52;
constexpr qreal TopoLinhaDetalhe = 26;   // the rule under the beneficiary
// The title band of a person's declaration, and of a company's with its responsible before the CNPJ.
constexpr qreal AlturaTituloPF = 118;
constexpr qreal AlturaTituloPJ = 164;

std::unique_ptr<TRelatorio> NovoRelatorio()
{
    auto relatorio = std::make_unique<TRelatorio>(QString::fromLatin1(TFoRelatoDeclaracao::Nome));
    relatorio->Titulo = QStringLiteral("Declaração Completa");   // the print job's and the PDF file's name
    relatorio->Papel().DefineCodigo(9);
    relatorio->Papel().DefineOrientacao(TOrientacao::Retrato);
    AjustaPapel(*relatorio);
    return relatorio;
}

}   // namespace

qreal TFoRelatoDeclaracao::LimiteVertical()
{
    return TUnidades::DeDecimosDeMilimetro(1500);
}

TFoRelatoDeclaracao::TFoRelatoDeclaracao(const TPruv& Declaracao, TColecaoPruv& Colecao)
    : FRelatorio(NovoRelatorio())
    , FPercurso(Declaracao, Colecao, TColecaoPruvItem::OrdemChave)
{
    CriaCabecalho();
    CriaTitulo();
    CriaDetalhe();
    CriaSubJudice();
    FRodape = std::make_unique<TRodapeRelato>(*FRelatorio, QStringLiteral("QRBand4"), false);
    FRelatorio->AntesDeGerar = [this](bool&) { AntesDeGerar(); };
    FRelatorio->PrecisaDados = [this] { return PrecisaDados(); };
}

TFoRelatoDeclaracao::~TFoRelatoDeclaracao() = default;

// ---- layout ----

void TFoRelatoDeclaracao::CriaCabecalho()
{
    const qreal largura = FRelatorio->Papel().LarguraUtil();
    FCabecalho = &FRelatorio->CriaBanda(TTipoBanda::CabecalhoPagina, QStringLiteral("QRBCabecPagina"));
    FCabecalho->Altura = AlturaCabecalho;
    // A name on two lines stays above the rule under it.
    FCabecalhoRelato = std::make_unique<TCabecalhoRelato>(*FCabecalho, 10, true, largura, AlturaCabecalho - 31);
    Linha(*FCabecalho, QStringLiteral("LinhaCabecalho"), AlturaCabecalho - 30, largura);
    FCabecalhoRelato->CriaFundo(AlturaCabecalho - 18, true, AlturaCabecalhoFundo - 9);
    Linha(*FCabecalho, QStringLiteral("LinhaFundo"), AlturaCabecalhoFundo - 8, largura);
    FLinhaFundo = FCabecalho->Elementos().back().get();
    FCabecalho->AntesDeImprimir = [this](TBanda& banda, bool&) { AntesDoCabecalho(banda); };
}

void TFoRelatoDeclaracao::CriaTitulo()
{
    FTitulo = &FRelatorio->CriaBanda(TTipoBanda::Titulo, QStringLiteral("QRBand3"));
    TBanda& t = *FTitulo;
    t.Altura = AlturaTituloPJ;
    Rotulo(t, QStringLiteral("QRLTituloDeclarante"), QStringLiteral("Declarante"), 0, 4, 10, true);
    Rotulo(t, QStringLiteral("QRLTituloNiDeclarante"), QStringLiteral("CNPJ/CPF:"), 0, 26, 8, true);
    FNiDeclarante = &Rotulo(t, QStringLiteral("QRLNiDeclarante"), QString(), 65, 26);
    // The name as the page header shows it, on the baseline of its caption.
    TRotulo& tituloNome = Rotulo(t, QStringLiteral("QRLTituloNomeDeclarante"),
                                 QStringLiteral("Nome / Nome Empresarial"), 0, 26, 8, true);
    tituloNome.Largura = TCabecalhoRelato::EsquerdaNome - 8;
    tituloNome.Alinhamento = Qt::AlignRight;
    TRotulo& nome = Rotulo(t, QStringLiteral("QRLNomeDeclarante"), QString(), TCabecalhoRelato::EsquerdaNome, 26,
                           TCabecalhoRelato::PontosNome);
    nome.Topo += TMedidaTexto::Ascendente(tituloNome.Fonte) - TMedidaTexto::Ascendente(nome.Fonte);
    FNomeDeclarante = std::make_unique<TTextoInteiro>(t, nome, FRelatorio->Papel().LarguraUtil(),
                                                      TopoTituloResponsavel - 1);

    Rotulo(t, QStringLiteral("QRLTituloResponsavel"), QStringLiteral("Responsável pelo Preenchimento"), 0,
           TopoTituloResponsavel, 10, true);
    const struct {
        const char* nome;
        const char* titulo;
        qreal x, y, xValor;
    } campos[7] = {
        {"QRLCpfResp", "CPF", 0, 74, 30},         {"QRLNomeResp", "Nome ", 180, 74, 215},
        {"QRLDDDResp", "DDD", 0, 94, 30},         {"QRLFoneResp", "Telefone", 80, 94, 130},
        {"QRLRamalResp", "Ramal", 230, 94, 265},  {"QRLFaxResp", "Fax", 330, 94, 355},
        {"QRLEmailResp", "E-Mail", 450, 94, 490},
    };
    for (std::size_t i = 0; i < FResponsavel.size(); ++i) {
        const auto& c = campos[i];
        Rotulo(t, QStringLiteral("QRLTitulo") + QLatin1String(c.nome), QString::fromUtf8(c.titulo), c.x, c.y, 8, true);
        FResponsavel[i] = &Rotulo(t, QLatin1String(c.nome), QString(), c.xValor, c.y);
    }
    // The e-mail ends its line; a second line under it stays above the band's foot (a person's)
    // and the block of the responsible before the CNPJ (a company's).
    FEmail = std::make_unique<TTextoInteiro>(t, *FResponsavel[6], FRelatorio->Papel().LarguraUtil(),
                                             AlturaTituloPF - 1);
    FBlocoRespCnpj[0] = &Rotulo(t, QStringLiteral("QRLTituloRespCnpj"), QStringLiteral("Responsável perante o CNPJ"), 0,
                                120, 10, true);
    FBlocoRespCnpj[1] = &Rotulo(t, QStringLiteral("QRLTituloCpfRespCnpj"), QStringLiteral("CPF"), 0, 142, 8, true);
    FRespCnpj = &Rotulo(t, QStringLiteral("QRLRespCnpj"), QString(), 30, 142);
    FBlocoRespCnpj[2] = FRespCnpj;
    t.AntesDeImprimir = [this](TBanda&, bool&) { PreencheTitulo(); };
}

void TFoRelatoDeclaracao::CriaColuna(TBanda& Banda, TGrade& Grade, int Coluna, const QString& Prefixo, qreal Topo)
{
    for (int linha = 0; linha < Linhas; ++linha) {
        TRotulo& r = RotuloValor(Banda, Prefixo + QStringLiteral("%1_%2").arg(Coluna).arg(linha + 1), LarguraValor,
                                 Topo + linha * AlturaLinha, LarguraValor, 8, linha == Linhas - 1);
        Grade[Coluna][linha] = &r;
    }
}

void TFoRelatoDeclaracao::CriaDetalhe()
{
    FDetalhe = &FRelatorio->CriaBanda(TTipoBanda::Detalhe, QStringLiteral("QRBDetalhe"));
    TBanda& d = *FDetalhe;
    d.Altura = AlturaDetalhe13;
    Rotulo(d, QStringLiteral("QRLTituloCodigo"), QStringLiteral("Código"), 0, 6, 8, true);
    FCodigo = &Rotulo(d, QStringLiteral("QRLCodigo"), QString(), 42, 6);
    FTituloNiBenef = &Rotulo(d, QStringLiteral("QRLTituloCPFBenef"), QString(), 90, 6, 8, true);
    FNiBenef = &Rotulo(d, QStringLiteral("QRLCPFBenef"), QString(), 125, 6);
    FTituloNomeBenef = &Rotulo(d, QStringLiteral("QRLTituloNomeBenef"), QString(), 250, 6, 8, true);
    FNomeBenef = &Rotulo(d, QStringLiteral("QRLNomeBenef"), QString(), 360, 6);
    // A name on two lines takes the room down to the titles of the months, the rule under it.
    FNomeBenefInteiro = std::make_unique<TTextoInteiro>(d, *FNomeBenef, FRelatorio->Papel().LarguraUtil(),
                                                        TopoGrade - 24);
    Linha(d, QStringLiteral("LinhaDetalhe"), TopoLinhaDetalhe, FRelatorio->Papel().LarguraUtil());
    FLinhaDetalhe = d.Elementos().back().get();

    Rotulo(d, QStringLiteral("QRLTituloMes"), QStringLiteral("Mês"), 4, TopoGrade - 20, 8, true);
    static const char* const titulos[Colunas] = {"Rendimentos", "Deduções", "Imposto Retido", "Comp. Ano Calendário",
                                                 "Comp. Anos Anteriores"};
    for (int c = 0; c < Colunas; ++c) {
        const bool compensacao = c >= CompAno;
        FTitulos[c] = &Rotulo(d, QStringLiteral("QRLTitulo%1").arg(c), QString::fromUtf8(titulos[c]), 0, TopoGrade - 20,
                              compensacao ? 7 : 8, true);
        FTitulos[c]->Largura = LarguraTitulo;
        FTitulos[c]->Alinhamento = Qt::AlignRight;
        CriaColuna(d, FGrade, c, QStringLiteral("QRLValor"), TopoGrade);
        if (compensacao) {
            const qreal direita = DireitaCompensacao[c - CompAno];
            FTitulos[c]->Esquerda = direita - LarguraTitulo;
            for (int linha = 0; linha < Linhas; ++linha) {
                TRotulo& r = *FGrade[c][linha];
                r.Largura = linha == Linhas - 1 ? LarguraTotal : LarguraValor;
                r.Esquerda = direita - r.Largura;
            }
        }
    }
    for (int linha = 0; linha < Linhas; ++linha)
        FMeses[linha] = &Rotulo(d, QStringLiteral("QRLMes%1").arg(linha + 1),
                                linha == Linhas - 1 ? QStringLiteral("Total") : MesAbreviado(linha + 1), 4,
                                TopoGrade + linha * AlturaLinha, 8, linha == Linhas - 1);
    PosicionaValores(false);
}

void TFoRelatoDeclaracao::CriaSubJudice()
{
    FSubJudice = &FRelatorio->CriaFilha(QStringLiteral("QRCBSubJudice"), *FDetalhe);
    TBanda& s = *FSubJudice;
    s.Altura = AlturaSubJudice13;
    s.Habilitada = false;
    s.FicaComPai = true;   // an item's suspended amounts print on the page of its months
    Rotulo(s, QStringLiteral("QRLTituloSubJudice"), QStringLiteral("Tributação com Exigibilidade Suspensa"), 0, 4, 9,
           true);
    Rotulo(s, QStringLiteral("QRLTituloMesSJ"), QStringLiteral("Mês"), 4, TopoGradeSJ - 20, 8, true);
    static const char* const titulos[4] = {"Rendimentos", "Deduções", "Imposto Retido", "Depósito Judicial"};
    for (int c = 0; c < 4; ++c) {
        TRotulo& titulo = RotuloValor(s, QStringLiteral("QRLTituloSJ%1").arg(c), DireitaSubJudice[c], TopoGradeSJ - 20,
                                      110, 8, true);
        titulo.Texto = QString::fromUtf8(titulos[c]);
        CriaColuna(s, FGradeSJ, c, QStringLiteral("QRLValorSJ"), TopoGradeSJ);
        for (int linha = 0; linha < Linhas; ++linha) {
            TRotulo& r = *FGradeSJ[c][linha];
            r.Largura = linha == Linhas - 1 ? LarguraTotal : LarguraValor;
            r.Esquerda = DireitaSubJudice[c] - r.Largura;
        }
    }
    for (int linha = 0; linha < Linhas; ++linha)
        FMesesSJ[linha] = &Rotulo(s, QStringLiteral("QRLMesSJ%1").arg(linha + 1),
                                  linha == Linhas - 1 ? QStringLiteral("Total") : MesAbreviado(linha + 1), 4,
                                  TopoGradeSJ + linha * AlturaLinha, 8, linha == Linhas - 1);
    // It follows only the detail it was filled for.
    s.DepoisDeImprimir = [](TBanda& banda, bool) { banda.Habilitada = false; };
}

// ---- filling ----

void TFoRelatoDeclaracao::PosicionaValores(bool Compensacao)
{
    const TPosicao* posicoes = Compensacao ? ComCompensacao : SemCompensacao;
    for (int c = Rendimento; c <= Imposto; ++c) {
        FTitulos[c]->Esquerda = posicoes[c].Valores + LarguraValor - LarguraTitulo;
        for (int linha = 0; linha < Linhas; ++linha) {
            TRotulo& r = *FGrade[c][linha];
            const bool total = linha == Linhas - 1;
            r.Esquerda = total ? posicoes[c].Total : posicoes[c].Valores;
            r.Largura = total ? LarguraTotal : LarguraValor;
        }
    }
}

void TFoRelatoDeclaracao::Habilitacao13(bool Mostra)
{
    FMeses[12]->Habilitado = Mostra;
    // Only the columns shown get the row: a hidden column prints nothing on any row.
    for (int c = 0; c < Colunas; ++c)
        FGrade[c][12]->Habilitado = Mostra && FTitulos[c]->Habilitado;
    const qreal topoTotal = TopoGrade + (Mostra ? 13 : 12) * AlturaLinha;
    FMeses[13]->Topo = topoTotal;
    for (auto& coluna : FGrade)
        coluna[13]->Topo = topoTotal;
    FDetalhe->Altura = Mostra ? AlturaDetalhe13 : AlturaDetalhe;
}

void TFoRelatoDeclaracao::Habilitacao13SJ(bool Mostra)
{
    FMesesSJ[12]->Habilitado = Mostra;
    const qreal topoTotal = TopoGradeSJ + (Mostra ? 13 : 12) * AlturaLinha;
    FMesesSJ[13]->Topo = topoTotal;
    for (auto& coluna : FGradeSJ) {
        if (coluna[0] == nullptr)
            continue;
        coluna[12]->Habilitado = Mostra;
        coluna[13]->Topo = topoTotal;
    }
    FSubJudice->Altura = Mostra ? AlturaSubJudice13 : AlturaSubJudice;
}

void TFoRelatoDeclaracao::HabilitacaoDeducao(bool Mostra)
{
    FTitulos[Deducao]->Habilitado = Mostra;
    for (TRotulo* r : FGrade[Deducao])
        r->Habilitado = Mostra;
}

void TFoRelatoDeclaracao::HabilitacaoCompensacao(bool Mostra)
{
    for (int c = CompAno; c <= CompAnteriores; ++c) {
        FTitulos[c]->Habilitado = Mostra;
        for (TRotulo* r : FGrade[c])
            r->Habilitado = Mostra;
    }
    PosicionaValores(Mostra);
}

void TFoRelatoDeclaracao::PreencheColuna(TGrade& Grade, int Coluna, const TSerieMensal& Serie)
{
    for (int mes = 1; mes <= 13; ++mes)
        Grade[Coluna][mes - 1]->Texto = Serie.Mes(mes).GetTextoFormatado();
    Grade[Coluna][Linhas - 1]->Texto = TextoValor(TotalDoze(Serie));
}

void TFoRelatoDeclaracao::SetaValoresPruvItem(const TPruvItem& Item)
{
    const TBeneficiarioPruv& beneficiario = Item.GetBeneficiario();
    const bool cpf = beneficiario.TipoAtual() == TNiContribuinte::Cpf;
    FTituloNiBenef->Texto = TCabecalhoRelato::TituloNi(cpf);
    FTituloNomeBenef->Texto = TCabecalhoRelato::TituloNome(cpf);
    FCodigo->Texto = Item.GetCodigoRetencao().GetCodigo();
    FNiBenef->Texto = beneficiario.GetNiFormatado();
    // The name starts right after its caption and is held whole up to the margin.
    FNomeBenef->Esquerda = FTituloNomeBenef->Esquerda
        + TMedidaTexto::Largura(FTituloNomeBenef->Fonte, FTituloNomeBenef->Texto) + 8;
    FNomeBenefInteiro->Preenche(beneficiario.Nome().GetTexto());
    FLinhaDetalhe->Topo = FNomeBenefInteiro->EmDuasLinhas() ? std::ceil(FNomeBenefInteiro->Fim()) + 2
                                                            : TopoLinhaDetalhe;
    const TRendimentosTributaveis& valores = Item.GetValores();
    PreencheColuna(FGrade, Rendimento, valores.Rendimentos());
    PreencheColuna(FGrade, Deducao, valores.Deducoes());
    PreencheColuna(FGrade, Imposto, valores.Impostos());
    HabilitacaoDeducao(RegrasDoItem::AdmiteDeducoes(Item));
    const TCompensacao& compensacao = Item.GetCompensacao();
    PreencheColuna(FGrade, CompAno, compensacao.CompensacoesAno());
    PreencheColuna(FGrade, CompAnteriores, compensacao.CompensacoesAnosAnteriores());
    HabilitacaoCompensacao(!compensacao.Zerado());
    // Last: the columns shown above come with all their rows.
    const bool decimoTerceiro = RegrasDoItem::MantemDecimoTerceiro(Item);
    Habilitacao13(decimoTerceiro);

    const TSubJudice& sj = Item.GetSubJudice();
    FSubJudice->Habilitada = !sj.Zerado() || !sj.DepositoZerado();
    if (FSubJudice->Habilitada) {
        SetaValoresSubJudice(Item);
        Habilitacao13SJ(decimoTerceiro);
    }
}

void TFoRelatoDeclaracao::SetaValoresSubJudice(const TPruvItem& Item)
{
    const TSubJudice& sj = Item.GetSubJudice();
    PreencheColuna(FGradeSJ, 0, sj.Rendimentos());
    PreencheColuna(FGradeSJ, 1, sj.Deducoes());
    PreencheColuna(FGradeSJ, 2, sj.Impostos());
    PreencheColuna(FGradeSJ, 3, sj.Depositos());
}

void TFoRelatoDeclaracao::PreencheTitulo()
{
    TPruv& pruv = FPercurso.Declaracao();
    FNiDeclarante->Texto = pruv.GetDeclarante().GetNiFormatado();
    FNomeDeclarante->Preenche(pruv.GetDeclarante().Nome().GetTexto());
    const bool cnpj = pruv.GetDeclarante().TipoAtual() != TNiContribuinte::Cpf;
    for (TRotulo* r : FBlocoRespCnpj)
        r->Habilitado = cnpj;
    FRespCnpj->Texto = pruv.GetRespCnpj().GetNiFormatado();
    FTitulo->Altura = cnpj ? AlturaTituloPJ : AlturaTituloPF;
    for (TRotulo* r : FResponsavel)
        r->Texto.clear();
    FEmail->Preenche(QString());
    TResponsavel& responsavel = pruv.GetResponsavel();
    if (responsavel.GetNi().isEmpty())
        return;
    FResponsavel[0]->Texto = responsavel.GetNiFormatado();
    FResponsavel[1]->Texto = responsavel.Nome().GetTexto();
    FResponsavel[2]->Texto = responsavel.Fone().DDD().GetTextoFormatado();
    FResponsavel[3]->Texto = responsavel.Fone().Numero().GetTextoFormatado();
    FResponsavel[4]->Texto = responsavel.Fone().Ramal().GetTextoFormatado();
    FResponsavel[5]->Texto = responsavel.Fax().Numero().GetTextoFormatado();
    // The name and the e-mail end their lines: whole up to the margin, whatever their length.
    EncolheNaColuna(*FResponsavel[1], FonteRelato(8), FRelatorio->Papel().LarguraUtil());
    FEmail->Preenche(responsavel.Email().GetTextoFormatado());
}

// ---- generation ----

void TFoRelatoDeclaracao::AntesDeGerar()
{
    if (FPrimeiraVez) {
        FPrimeiraVez = false;
        FPercurso.Inicia();
        FCabecalhoRelato->SaiDoFundo();
        FDeslocamento = 0;
        FTitulo->Habilitada = true;
    } else {
        // The next batch goes on from where the last one stopped.
        FTitulo->Habilitada = false;
        FDeslocamento += FPaginasLote;
    }
    FInterrompido = false;
    FRegistrosNoLote = 0;
    FPaginasLote = 0;
    FRodape->Limpa();
    FRodape->Pagina().Deslocamento = FDeslocamento;
    FRodape->Pagina().Total = FTotal;
    FCabecalhoRelato->Preenche(FPercurso.Declaracao());
    AtribuiImpressoraPreview();
}

void TFoRelatoDeclaracao::AntesDoCabecalho(TBanda& Banda)
{
    const bool fundo = FCabecalhoRelato->NoFundo();
    Banda.Altura = fundo ? AlturaCabecalhoFundo : AlturaCabecalho;
    FCabecalhoRelato->MostraFundo();
    FLinhaFundo->Habilitado = fundo;
    // The footer of the page shows what its header shows, even when the page is closed by the
    // start of the next fund.
    FRodape->DefineIdentificacao(fundo ? FCabecalhoRelato->CnpjFundo()
                                       : QStringLiteral("Declarante: ")
                                         + FPercurso.Declaracao().GetDeclarante().GetNiFormatado());
}

bool TFoRelatoDeclaracao::PrecisaDados()
{
    TRelatorio& r = *FRelatorio;
    if (FEmLotes && FRegistrosNoLote > 0 && r.NumeroPagina() >= LimiteLote && r.YAtual() > LimiteVertical()
        && FPercurso.Proximo() != TPercursoDeclaracao::TRegistro::Fim) {
        FInterrompido = true;
        FPaginasLote = r.NumeroPagina();
        if (!FContando)
            HabilitaProximasPaginas();
        return false;
    }
    for (;;) {
        switch (FPercurso.Proximo()) {
        case TPercursoDeclaracao::TRegistro::Item:
            SetaValoresPruvItem(FPercurso.Item());
            FPercurso.Avanca();
            ++FRegistrosNoLote;
            r.DefineProgresso(FPercurso.Progresso());
            return true;
        case TPercursoDeclaracao::TRegistro::InicioFundo:
            // Its first item follows at once, on the fund's first page.
            FCabecalhoRelato->IniciaFundo(FPercurso.Anexo().GetFundo());
            FPercurso.Avanca();
            r.NovaPagina();
            break;
        case TPercursoDeclaracao::TRegistro::Fim:
            r.DefineProgresso(100);
            return false;
        }
    }
}

int TFoRelatoDeclaracao::Prepara(bool EmLotes)
{
    FEmLotes = EmLotes;
    FContando = true;
    FPrimeiraVez = true;
    FTotal = 0;
    int total = 0;
    try {
        do
            total += ContaPaginas(*FRelatorio);
        while (FInterrompido);
    } catch (...) {
        FContando = false;
        throw;
    }
    FContando = false;
    FPrimeiraVez = true;
    FTotal = total;
    return total;
}

bool TFoRelatoDeclaracao::GeraLote()
{
    if (!FRelatorio->Inicia())
        return false;
    FRelatorio->Continua();
    return FInterrompido;
}

void TFoRelatoDeclaracao::Visualiza()
{
    Prepara(true);
    SetaEventoProximasPaginas([this] { GeraLote(); });
    VisualizaRelatorio(*FRelatorio);
}

bool TFoRelatoDeclaracao::Imprime()
{
    // Batch after batch, each its own job, until the declaration has gone out whole.
    Prepara(true);
    QStringList arquivosPdf;
    const auto avisa = qScopeGuard([&arquivosPdf] { AvisaGravadoSemImpressora(arquivosPdf); });
    do {
        if (!ImprimeRelatorio(*FRelatorio, &arquivosPdf))
            return false;   // the printer failed: the user was told, no further batch
    } while (FInterrompido);
    return true;
}

void ImprimeRelatoDeclaracao(const TPruv& Declaracao, TColecaoPruv& Colecao, bool Visualiza)
{
    ExecutaRelato<TFoRelatoDeclaracao>(Visualiza, Declaracao, Colecao);
}
