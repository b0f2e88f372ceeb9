#include "reports/statements/TFoImprComprovante.h"

#include <QScopeGuard>
#include <algorithm>

#include "model/values/ArquivosTexto.h"
#include "model/people/TBeneficiarioPruv.h"
#include "model/people/TColecaoBeneficiario.h"
#include "model/statements/TColecaoComprovante.h"
#include "model/statements/TComprovantePF.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/statements/TComprovantePJ.h"
#include "model/values/TErro.h"
#include "model/declaration/TPruv.h"
#include "model/declaration/TResumo.h"
#include "shell/common/AvisosImpressora.h"
#include "shell/common/PapelRelatorio.h"
#include "platform/files/TPastas.h"
#include "platform/report/elements/TMemo.h"
#include "platform/report/bands/TRelatorio.h"
#include "platform/report/bands/TSubDetalhe.h"
#include "reports/forms/FormularioRelato.h"
#include "reports/statements/TFrRelCompRendNaoImp.h"
#include "reports/statements/TLeiauteComprovante.h"
#include "shell/printing/TFoPreview.h"

namespace {

TFoImprComprovante* Instancia = nullptr;   // the job running, one at a time

// The beneficiary count of the summary, a whole number kept as an amount.
int Inteiro(const TNumero& numero)
{
    const qint64 v = numero.GetValorPositivo();
    return int((v + TMonetario::Escala / 2) / TMonetario::Escala);
}

}   // namespace

TFoImprComprovante::TFoImprComprovante(TPruv& Declaracao, int Paginas)
    : FDeclaracao(Declaracao)
    , FBeneficiarios(Declaracao.GetColecaoBeneficiario())
    , FComprovantes(Declaracao.GetColecaoComprovante())
    , FBeneficiario(std::make_unique<TBeneficiarioPruv>(&Declaracao))
    , FRelatorio(std::make_unique<TRelatorio>(QString::fromLatin1(Nome)))
    , FPaginasPorLote(Paginas)
{
    FBeneficiario->SetErros(&FErrosBeneficiario);
    FRelatorio->Titulo = QStringLiteral("Comprovante de Rendimentos");
    // Nothing to print prints nothing: no page with a header and no statement.
    FRelatorio->ImprimeSeVazio = false;
    FLeiaute = std::make_unique<TLeiauteComprovante>(*FRelatorio);
    LigaEventos();
}

TFoImprComprovante::~TFoImprComprovante()
{
    // The report's events refer to this object: the report goes first.
    FLeiaute.reset();
    FRelatorio.reset();
}

QString TFoImprComprovante::ArquivoNaoImpressos()
{
    return TPastas::ErroImp() + QStringLiteral("/ImprComp.err");
}

void TFoImprComprovante::LigaEventos()
{
    TLeiauteComprovante& l = *FLeiaute;
    FRelatorio->AntesDeGerar = [this](bool&) { AntesDeGerar(); };
    FRelatorio->PrecisaDados = [this] { return PrecisaDados(); };
    l.PageHeader.AntesDeImprimir = [this](TBanda&, bool&) {
        // Only one continuation header can follow the page header: the one of the lines' kind.
        (FModoIN4 ? FLeiaute->headerIN4 : FLeiaute->headerPJ).DefinePai(&FLeiaute->PageHeader);
    };
    l.headerPJ.AntesDeImprimir = [this](TBanda&, bool& imprime) {
        imprime = FAtual != nullptr && FAtual == FPJ.get() && FLinha > 0 && !FModoIN4 && RestamLinhas();
    };
    l.headerIN4.AntesDeImprimir = [this](TBanda&, bool& imprime) {
        imprime = FAtual != nullptr && FAtual == FPJ.get() && FLinha > 0 && FModoIN4 && RestamLinhas();
    };
    l.Quadro01.DepoisDeImprimir = [this](TBanda&, bool impressa) {
        if (impressa)
            FPaginaNoComprovante = 1;
    };
    l.PFQuadro02.AntesDeImprimir = [this](TBanda&, bool& imprime) {
        imprime = FAtual != nullptr && FAtual == FPF.get();
    };
    l.PJRendimentos.PrecisaDados = [this] { return PrecisaLinha(); };
    l.PJRendimentos.AntesDeImprimir = [this](TBanda&, bool&) { PreencheLinha(); };
    l.PJRendimentos.DepoisDeImprimir = [this](TBanda&, bool) { ++FLinha; };
    l.Quadro06.AntesDeImprimir = [this](TBanda&, bool&) {
        FLeiaute->DivideInformacoes(FRelatorio->AlturaUtil() - FRelatorio->YAtual(), FRelatorio->AlturaPaginaNova());
    };
    l.Quadro07.DepoisDeImprimir = [this](TBanda&, bool) {
        // A statement of one page carries no page number.
        if (FPaginaNoComprovante == 1)
            FPaginaNoComprovante = 0;
    };
    l.PageFooterBand1.AntesDeImprimir = [this](TBanda&, bool&) { RodapePagina(); };
}

void TFoImprComprovante::ImprimeComprovantes(const TPruv& Declaracao, const QString& Ni, bool Preview, int Paginas)
{
    if (Instancia != nullptr)
        return;
    // The job's own copy of the stored declaration: the one on the screen keeps its positions.
    TErros erros;
    TPruv copia;
    copia.SetErros(&erros);
    copia.SetChave(Declaracao.GetChave());
    if (!copia.GetChave().isEmpty())
        TColecaoPruv().Carrega(copia);

    int naoImpressos = 0;
    bool algumImpresso = false;
    {
        TFoImprComprovante form(copia, std::max(1, Paginas));
        Instancia = &form;
        const auto libera = qScopeGuard([] { Instancia = nullptr; });
        if (!form.Executa(Ni, Preview))
            return;
        naoImpressos = form.FNaoImpressos;
        algumImpresso = form.FAlgumImpresso;
    }
    if (naoImpressos > 0)
        ImprimeRelatoComprNaoImpress(copia.GetDeclarante().GetNiFormatado(), Preview, naoImpressos);
    else if (!algumImpresso)
        TErro::MostraMensagem(QStringLiteral("Não há comprovantes de rendimentos a emitir.\n"
                                             "Este programa não emite comprovante de rendimentos financeiros."),
                              TipoDialogo::Aviso, Botao::Ok, 0);
}

bool TFoImprComprovante::Executa(const QString& Ni, bool Preview)
{
    if (!CriaArquivoTexto(FLista, ArquivoNaoImpressos()))
        return false;   // the user chose not to try again
    FProgresso = 0;
    if (Ni.trimmed().isEmpty()) {
        FUmBeneficiario = false;
        FBeneficiarios.PrimeiroRegistro(*FBeneficiario);
    } else {
        FBeneficiario->SetNiSemExcecao(Ni.trimmed());
        FUmBeneficiario = true;
    }
    FMaisPaginas = false;
    FRegistrando = true;
    FPreview = Preview;
    FNaoImpressos = 0;
    FQuantidadeBeneficiarios = Inteiro(FDeclaracao.GetResumo().TOT_BENEF());
    AjustaPapel(*FRelatorio);
    FLeiaute->CentraNoPapel();

    bool impresso = true;
    if (Preview)
        VisualizaRelatorio(*FRelatorio);
    else
        impresso = ImprimeLotes();

    if (!FLista.Fecha()) {
        // Without its list, the report of statements not printed would show an older one.
        TErro(CodigoMensagem::FalhaNaGravacao, ArquivoNaoImpressos(), TipoDialogo::Erro, Botao::Ok, 0).Exibe();
        return false;
    }
    return impresso;
}

bool TFoImprComprovante::ImprimeLotes()
{
    QStringList arquivosPdf;
    const auto avisa = qScopeGuard([&arquivosPdf] { AvisaGravadoSemImpressora(arquivosPdf); });
    do {
        if (!ImprimeRelatorio(*FRelatorio, &arquivosPdf))
            return false;   // the printer failed: the user was told, no further batch
        FRegistrando = true;
    } while (FMaisPaginas);
    return true;
}

void TFoImprComprovante::AntesDeGerar()
{
    if (FRegistrando) {
        FNiSalvo = FBeneficiario->GetNi();
        FProgressoSalvo = FProgresso;
    } else {
        // The same batch again: it starts where it started and lists nobody twice.
        FBeneficiario->SetNiSemExcecao(FNiSalvo);
        FProgresso = FProgressoSalvo;
    }
    FBeneficiarios.Carrega(*FBeneficiario);
    FPrimeiro = true;
    FModoIN4 = false;
    FAtual = nullptr;
    FLinha = 0;
    FPaginaNoComprovante = 0;
    if (FPreview) {
        FPreview = false;
        FPreviewAtivo = true;
        AtribuiImpressoraPreview();
        SetaEventoProximasPaginas([this] { ProximasPaginas(); });
    } else {
        FPreviewAtivo = false;
    }
    FMaisPaginas = false;
}

void TFoImprComprovante::ProximasPaginas()
{
    FPreview = true;
    FRegistrando = true;
    FRelatorio->Gera();
}

bool TFoImprComprovante::PrecisaDados()
{
    const bool existe = ProximoComprovante();
    if (existe) {
        // Each statement opens its own page, under the header of its own layout.
        FRelatorio->NovaPagina();
    } else {
        FRegistrando = false;
    }
    if (FQuantidadeBeneficiarios > 0)
        FRelatorio->DefineProgresso(
            int((qint64(FProgresso) * 100 + FQuantidadeBeneficiarios / 2) / FQuantidadeBeneficiarios));
    return existe;
}

bool TFoImprComprovante::ProximoComprovante()
{
    // A company's statement with lines of both kinds is followed by its IN4 statement.
    if (!FPrimeiro && FAtual != nullptr && FAtual == FPJ.get() && !FModoIN4 && FPJ->PossuiLinhasIN4()) {
        FModoIN4 = true;
        FLinha = 0;
        if (PreparaComprovante(false) == TPreparo::Pronto)
            return true;
    }
    FModoIN4 = false;
    while (!FBeneficiarios.Eof()) {
        if (FPrimeiro) {
            FPrimeiro = false;
        } else {
            if (FUmBeneficiario)
                return false;
            FBeneficiarios.ProximoRegistro(*FBeneficiario);
        }
        if (FBeneficiarios.Eof())
            return false;
        switch (PreparaComprovante(true)) {
        case TPreparo::Pronto:
            FAlgumImpresso = true;
            return true;
        case TPreparo::LoteCheio:
            return false;
        case TPreparo::Nenhum:
            break;
        }
    }
    return false;
}

TFoImprComprovante::TPreparo TFoImprComprovante::PreparaComprovante(bool Monta)
{
    // Whatever fails while one statement is built or filled (a sum beyond the largest amount,
    // a row that cannot be read) keeps that statement off the paper: its beneficiary is listed
    // as not printed and the others still print.
    try {
        if (Monta) {
            MontaComprovante();
            if (FAtual == nullptr || !FAtual->PossuiRendimentos())
                return TPreparo::Nenhum;
            if (!FAtual->PodeImprimir()) {
                if (FRegistrando)
                    RegistraNaoImpresso();
                return TPreparo::Nenhum;
            }
            if (FRelatorio->NumeroPagina() >= FPaginasPorLote) {
                // The batch is full: this beneficiary opens the next one.
                FMaisPaginas = true;
                if (FPreviewAtivo) {
                    FRegistrando = false;
                    HabilitaProximasPaginas();
                }
                return TPreparo::LoteCheio;
            }
        }
        PreencheComprovante();
        return TPreparo::Pronto;
    } catch (const std::exception&) {
        if (FRegistrando)
            RegistraNaoImpresso();
        FAtual = nullptr;
        FModoIN4 = false;
        return TPreparo::Nenhum;
    }
}

void TFoImprComprovante::MontaComprovante()
{
    switch (FBeneficiario->TipoAtual()) {
    case TNiContribuinte::Cpf:
        if (!FPF)
            FPF = std::make_unique<TComprovantePF>(*FBeneficiario);
        FAtual = FPF.get();
        break;
    case TNiContribuinte::Cnpj:
        if (!FPJ)
            FPJ = std::make_unique<TComprovantePJ>(*FBeneficiario);
        FAtual = FPJ.get();
        FLinha = 0;
        break;
    default:
        FAtual = nullptr;   // neither a person nor a company: passed over
        return;
    }
    FAtual->Limpa();
    FComprovantes.Carrega(*FAtual);
    if (FAtual == FPJ.get() && FPJ->PossuiLinhasIN4() && !FPJ->PossuiLinhasOutros())
        FModoIN4 = true;
    FAtual->SetAlterado(false);
    if (FQuantidadeBeneficiarios > 0)
        FProgresso += FAtual->QuantidadeItens();
}

void TFoImprComprovante::PreencheComprovante()
{
    const TTipoLeiaute leiaute = FAtual == FPF.get() ? TTipoLeiaute::PF
        : FModoIN4                                   ? TTipoLeiaute::IN4
                                                     : TTipoLeiaute::PJ;
    TLeiauteComprovante& l = *FLeiaute;
    l.Configura(leiaute);
    const auto texto = [](const TBanda& banda, const char* nome, const QString& valor) {
        TLeiauteComprovante::Texto(banda, QString::fromLatin1(nome), valor);
    };
    // Names and numbers of the framed cells, each whole in its cell.
    const auto celula = [](const TBanda& banda, const char* nome, const QString& valor) {
        TLeiauteComprovante::TextoNaCelula(banda, QString::fromLatin1(nome), valor);
    };
    celula(l.Quadro01, "Q1DeclaranteNome", FDeclaracao.GetDeclarante().Nome().GetTexto());
    celula(l.Quadro01, "Q1DeclaranteNi", FDeclaracao.GetDeclarante().GetNiFormatado());
    celula(l.Quadro07, "Q7ResponsavelNome", FDeclaracao.GetResponsavel().Nome().GetTexto());
    texto(l.PageHeader, "ValorAnoCalendario", FDeclaracao.GetAno());

    const QString ni = FBeneficiario->GetNiFormatado();
    const QString nome = FBeneficiario->Nome().GetTexto();
    QStringList memo;
    switch (leiaute) {
    case TTipoLeiaute::PF: {
        TComprovantePF& pf = *FPF;
        celula(l.PFQuadro02, "BeneficiarioPFNi", ni);
        celula(l.PFQuadro02, "BeneficiarioPFNome", nome);
        celula(l.PFQuadro02, "NaturezaRendimento", pf.GetNatureza().GetTextoFormatado());
        TQuadroRendTributaveis& q3 = pf.GetQuadro3();
        TQuadroRendIsentos& q4 = pf.GetQuadro4();
        TQuadroTribExclusiva& q5 = pf.GetQuadro5();
        // Line 6 of box 4 is not kept: its lines 7 and 8 are the statement's 06 and 07.
        const struct {
            const TBanda& banda;
            const char* nome;
            const TDadoBasico& valor;
        } valores[] = {
            {l.PFQuadro03, "Q3L1", q3.GetLinha1()},
            {l.PFQuadro03, "Q3L2", q3.GetLinha2()},
            {l.PFQuadro03, "Q3L3", q3.GetLinha3()},
            {l.PFQuadro03, "Q3L4", q3.GetLinha4()},
            {l.PFQuadro03, "Q3L5", q3.GetTotal()},
            {l.PFQuadro04, "Q4L1", q4.GetLinha1()},
            {l.PFQuadro04, "Q4L2", q4.GetLinha2()},
            {l.PFQuadro04, "Q4L3", q4.GetLinha3()},
            {l.PFQuadro04, "Q4L4", q4.GetLinha4()},
            {l.PFQuadro04, "Q4L5", q4.GetLinha5()},
            {l.PFQuadro04, "Q4L6", q4.GetLinha7()},
            {l.PFQuadro04, "Q4L7", q4.GetLinha8()},
            {l.PFQuadro04, "Q4L7Texto", q4.GetDescricaoLinha8()},
            {l.PFQuadro05, "Q5L1", q5.GetLinha1()},
            {l.PFQuadro05, "Q5L2", q5.GetLinha2()},
        };
        for (const auto& v : valores)
            texto(v.banda, v.nome, v.valor.GetTextoFormatado());
        const QString complementares = pf.GetInformacoesComplementares().GetTexto();
        if (!complementares.isEmpty())
            memo << complementares;
        pf.MontaInformacoesComplementares(memo);
        break;
    }
    case TTipoLeiaute::PJ:
        celula(l.PJQuadro02, "BeneficiarioPJNi", ni);
        celula(l.PJQuadro02, "BeneficiarioPJNome", nome);
        memo << FPJ->GetInformacoesComplementares().GetTexto();
        break;
    case TTipoLeiaute::IN4:
        celula(l.IN4Quadro02, "BeneficiarioIN4Ni", ni);
        celula(l.IN4Quadro02, "beneficiarioIN4Nome", nome);
        memo << FPJ->GetInformacoesComplementaresIN4().GetTexto();
        break;
    }
    l.InformacoesComplementares(memo);
}

bool TFoImprComprovante::PrecisaLinha()
{
    if (FAtual == nullptr || FAtual != FPJ.get())
        return false;
    FLinha = ProximaLinha(FLinha);
    if (FLinha >= FPJ->QuantidadeLinhas())
        return false;
    // The table's last line keeps the boxes that close the statement on its page.
    TLeiauteComprovante& l = *FLeiaute;
    l.PJRendimentos.ReservaAbaixo = 0;
    if (ProximaLinha(FLinha + 1) >= FPJ->QuantidadeLinhas())
        l.PJRendimentos.ReservaAbaixo = l.PJRendimentosFooter.Altura + l.Quadro06.Altura + l.Quadro07.Altura;
    return true;
}

bool TFoImprComprovante::RestamLinhas() const
{
    return ProximaLinha(FLinha) < FPJ->QuantidadeLinhas();
}

int TFoImprComprovante::ProximaLinha(int De) const
{
    int i = De;
    while (i < FPJ->QuantidadeLinhas() && FPJ->GetLinha(i).GetIN4() != FModoIN4)
        ++i;
    return i;
}

void TFoImprComprovante::PreencheLinha()
{
    const TRendimentoMensalPJ& linha = FPJ->GetLinha(FLinha);
    const TBanda& banda = FLeiaute->PJRendimentos;
    TLeiauteComprovante::Texto(banda, QStringLiteral("PJMes"), MesAbreviado(linha.GetMes()));
    TLeiauteComprovante::Texto(banda, QStringLiteral("PJCodigo"), linha.GetCodigo());
    TLeiauteComprovante::Texto(banda, QStringLiteral("PJRendimento"), linha.GetRendimento().GetTextoFormatado());
    TLeiauteComprovante::Texto(banda, QStringLiteral("PJImposto"), linha.GetImposto().GetTextoFormatado());
    banda.ElementoDe<TMemo>(QStringLiteral("PJDescricao")).Linhas = QStringList{FModoIN4 ? QStringLiteral(".")
                                                                                         : linha.GetNatureza()};
    FLeiaute->AjustaLinha();
}

void TFoImprComprovante::RodapePagina()
{
    const TBanda& rodape = FLeiaute->PageFooterBand1;
    const bool numera = FPaginaNoComprovante > 0;
    rodape.ElementoDe<TElementoRelatorio>(QStringLiteral("lblPagina")).Habilitado = numera;
    rodape.ElementoDe<TElementoRelatorio>(QStringLiteral("QRPaginaComprovante")).Habilitado = numera;
    if (!numera)
        return;
    TLeiauteComprovante::Texto(rodape, QStringLiteral("QRPaginaComprovante"), QString::number(FPaginaNoComprovante));
    ++FPaginaNoComprovante;
}

void TFoImprComprovante::RegistraNaoImpresso()
{
    // A failed write shows when the list is closed.
    GravaLinha(FLista, FBeneficiario->GetNiFormatado() + QLatin1Char(';') + FBeneficiario->Nome().GetTexto());
    ++FNaoImpressos;
}
