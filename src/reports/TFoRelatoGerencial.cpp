#include "reports/TFoRelatoGerencial.h"

#include "model/TColecaoAnexo.h"
#include "model/TColecaoPruv.h"
#include "model/TPruv.h"
#include "model/gui/UtilJanelas.h"
#include "platform/report/TRelatorio.h"
#include "platform/report/TRotulo.h"
#include "reports/ExecutaRelato.h"
#include "reports/RotinasRelatorio.h"
#include "reports/TRodapeRelato.h"
#include "shell/TFoPreview.h"

namespace {

constexpr qreal XValor = 250;
constexpr qreal EntreLinhas = 18;

}  // namespace

TFoRelatoGerencial::TFoRelatoGerencial(TColecaoPruv& Colecao)
    : FColecao(Colecao), FPruv(std::make_unique<TPruv>()), FRelatorio(std::make_unique<TRelatorio>(QString::fromLatin1(Nome)))
{
    FPruv->SetErros(&FErros);
    TRelatorio& r = *FRelatorio;
    r.Papel().DefineCodigo(1);
    r.Papel().DefineOrientacao(TOrientacao::Retrato);
    AjustaPapel(r);
    const qreal largura = r.Papel().LarguraUtil();

    TBanda& cabecalho = r.CriaBanda(TTipoBanda::CabecalhoPagina, QStringLiteral("QRBCabecalho"));
    cabecalho.Altura = 48;
    TRotulo& titulo = Rotulo(cabecalho, QStringLiteral("QRLTitulo"), QStringLiteral("Relatório Gerencial"), 0, 8, 14,
                             true);
    titulo.Largura = largura;
    titulo.Alinhamento = Qt::AlignHCenter;
    Linha(cabecalho, QStringLiteral("LinhaTitulo"), 40, largura);

    CriaDetalhe();
    FRodape = std::make_unique<TRodapeRelato>(r, QStringLiteral("QRBRodape"), false);

    r.AntesDeGerar = [this](bool&) {
        FRodape->Limpa();
        FPruv->Limpa();
        FQuantidade = FColecao.Quantidade();
        FTratadas = 0;
        FColecao.PrimeiroRegistro(*FPruv);
        if (FVisualizando) {
            FVisualizando = false;
            AtribuiImpressoraPreview();
        }
    };
    r.PrecisaDados = [this] { return PrecisaDados(); };
}

TFoRelatoGerencial::~TFoRelatoGerencial() = default;

void TFoRelatoGerencial::CriaDetalhe()
{
    TRelatorio& r = *FRelatorio;
    FDetalhe = &r.CriaBanda(TTipoBanda::Detalhe, QStringLiteral("QRBDetalhe"));
    TBanda& d = *FDetalhe;
    qreal y = 6;
    Rotulo(d, QStringLiteral("QRLTituloDeclarante"), QStringLiteral("Declarante:"), 0, y, 8, true);
    FDeclarante = &Rotulo(d, QStringLiteral("QRLDeclarante"), QString(), XValor, y);
    y += EntreLinhas;
    FTituloNome = &Rotulo(d, QStringLiteral("QRLTituloNome"), QString(), 0, y, 8, true);
    FNome = &Rotulo(d, QStringLiteral("QRLNome"), QString(), XValor, y);
    y += EntreLinhas;
    Rotulo(d, QStringLiteral("QRLTituloAno"), QStringLiteral("Ano-Calendário:"), 0, y, 8, true);
    FAno = &Rotulo(d, QStringLiteral("QRLAno"), QString(), XValor, y);
    y += EntreLinhas;
    FTituloSituacao = &Rotulo(d, QStringLiteral("QRLTituloSituacao"), QString(), 0, y, 8, true);
    FSituacao = &Rotulo(d, QStringLiteral("QRLSituacao"), QString(), XValor, y);
    y += EntreLinhas;
    Rotulo(d, QStringLiteral("QRLTituloTipo"), QStringLiteral("Tipo:"), 0, y, 8, true);
    FTipo = &Rotulo(d, QStringLiteral("QRLTipo"), QString(), XValor, y);
    y += EntreLinhas;
    Rotulo(d, QStringLiteral("QRLTituloRespCnpj"), QStringLiteral("CPF do responsável perante o CNPJ:"), 0, y, 8, true);
    FRespCnpj = &Rotulo(d, QStringLiteral("QRLRespCnpj"), QString(), XValor, y);
    y += EntreLinhas;
    Rotulo(d, QStringLiteral("QRLTituloCpfResp"), QStringLiteral("CPF do Responsável pelo Preenchimento:"), 0, y, 8,
           true);
    FCpfResponsavel = &Rotulo(d, QStringLiteral("QRLCpfResp"), QString(), XValor, y);
    y += EntreLinhas;
    Rotulo(d, QStringLiteral("QRLTituloNomeResp"), QStringLiteral("Nome do Responsável pelo Preenchimento:"), 0, y, 8,
           true);
    FNomeResponsavel = &Rotulo(d, QStringLiteral("QRLNomeResp"), QString(), XValor, y);
    y += EntreLinhas;
    Rotulo(d, QStringLiteral("QRLTituloDataGravacao"), QStringLiteral("Data de Gravação:"), 0, y, 8, true);
    FDataGravacao = &Rotulo(d, QStringLiteral("QRLDataGravacao"), QString(), XValor, y);
    y += EntreLinhas;
    Rotulo(d, QStringLiteral("QRLTituloDisquetes"), QStringLiteral("Nº de disquetes:"), 0, y, 8, true);
    FDisquetes = &Rotulo(d, QStringLiteral("QRLDisquetes"), QString(), XValor, y);
    y += EntreLinhas;
    Rotulo(d, QStringLiteral("QRLTituloFundos"), QStringLiteral("Nº de Fundo/Clube:"), 0, y, 8, true);
    FFundos = &Rotulo(d, QStringLiteral("QRLFundos"), QString(), XValor, y);
    y += EntreLinhas + 4;
    Linha(d, QStringLiteral("LinhaDetalhe"), y, r.Papel().LarguraUtil());
    d.Altura = y + 6;
}

bool TFoRelatoGerencial::PrecisaDados()
{
    if (FColecao.Eof()) {
        FRelatorio->DefineProgresso(100);
        return false;
    }
    Preenche(*FPruv);
    FPruv->Limpa();
    FColecao.ProximoRegistro(*FPruv);
    ++FTratadas;
    if (FQuantidade > 0)
        FRelatorio->DefineProgresso(int((qint64(FTratadas) * 100 + FQuantidade / 2) / FQuantidade));
    return true;
}

void TFoRelatoGerencial::Preenche(TPruv& Pruv)
{
    const TContribuinte& declarante = Pruv.GetDeclarante();
    const bool cpf = declarante.TipoAtual() == TNiContribuinte::Cpf;
    FDeclarante->Texto = declarante.GetNiFormatado();
    FTituloNome->Texto = cpf ? QStringLiteral("Nome:") : QStringLiteral("Nome Empresarial:");
    FNome->Texto = declarante.Nome().GetTexto();
    FAno->Texto = Pruv.GetAno();
    FTituloSituacao->Texto = cpf ? QStringLiteral("Espólio/Saída definitiva do país:") : QStringLiteral("Extinção:");
    FSituacao->Texto = Pruv.GetSituacaoEspecial() ? QStringLiteral("SIM") : QStringLiteral("NÃO");
    FTipo->Texto = Pruv.GetTipoDeclaracao() == QLatin1String("R") ? QStringLiteral("Retificadora")
                                                                   : QStringLiteral("Original");
    FRespCnpj->Texto = Pruv.GetRespCnpj().GetNiFormatado();
    TResponsavel& responsavel = Pruv.GetResponsavel();
    FCpfResponsavel->Texto = responsavel.GetNiFormatado();
    FNomeResponsavel->Texto = responsavel.Nome().GetTexto();
    FDataGravacao->Texto = TextoDataGeracao(Pruv.GetDataGeracao());
    FDisquetes->Texto = QString::number(Pruv.GetNrDisquetes());
    FFundos->Texto = QString::number(Pruv.GetColecaoAnexo().Quantidade());
}

void TFoRelatoGerencial::Visualiza()
{
    ContaPaginas(*FRelatorio);
    FVisualizando = true;
    VisualizaRelatorio(*FRelatorio);
}

bool TFoRelatoGerencial::Imprime()
{
    ContaPaginas(*FRelatorio);
    return ImprimeRelatorio(*FRelatorio);
}

void ImprimeRelatoGerencial(TColecaoPruv& Colecao, bool Visualiza)
{
    ExecutaRelato<TFoRelatoGerencial>(Visualiza, Colecao);
}
