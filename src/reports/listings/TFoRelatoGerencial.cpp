#include "reports/listings/TFoRelatoGerencial.h"

#include "model/declaration/TColecaoAnexo.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/declaration/TPruv.h"
#include "shell/common/PapelRelatorio.h"
#include "platform/report/bands/TRelatorio.h"
#include "platform/report/elements/TRotulo.h"
#include "reports/forms/ExecutaRelato.h"
#include "reports/forms/FormularioRelato.h"
#include "reports/forms/TRodapeRelato.h"
#include "shell/printing/TFoPreview.h"

namespace {

constexpr qreal XValor = 250;
constexpr qreal EntreLinhas = 18;

}   // namespace

TFoRelatoGerencial::TFoRelatoGerencial(TColecaoPruv& Colecao)
    : FColecao(Colecao)
    , FPruv(std::make_unique<TPruv>())
    , FRelatorio(std::make_unique<TRelatorio>(QString::fromLatin1(Nome)))
{
    FPruv->SetErros(&FErros);
    TRelatorio& r = *FRelatorio;
    r.Titulo = QStringLiteral("Relatório Gerencial");
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
        AtribuiImpressoraPreview();
    };
    r.PrecisaDados = [this] { return PrecisaDados(); };
}

TFoRelatoGerencial::~TFoRelatoGerencial() = default;

void TFoRelatoGerencial::CriaDetalhe()
{
    TRelatorio& r = *FRelatorio;
    FDetalhe = &r.CriaBanda(TTipoBanda::Detalhe, QStringLiteral("QRBDetalhe"));
    TBanda& d = *FDetalhe;
    // One line each: the caption (empty when it follows the declarant's kind) and the value.
    const struct {
        const char* nome;
        const char* titulo;
        TRotulo** rotuloTitulo;
        TRotulo** valor;
    } linhas[] = {
        {"Declarante", "Declarante:", nullptr, &FDeclarante},
        {"Nome", "", &FTituloNome, &FNome},
        {"Ano", "Ano-Calendário:", nullptr, &FAno},
        {"Situacao", "", &FTituloSituacao, &FSituacao},
        {"Tipo", "Tipo:", nullptr, &FTipo},
        {"RespCnpj", "CPF do responsável perante o CNPJ:", nullptr, &FRespCnpj},
        {"CpfResp", "CPF do Responsável pelo Preenchimento:", nullptr, &FCpfResponsavel},
        {"NomeResp", "Nome do Responsável pelo Preenchimento:", nullptr, &FNomeResponsavel},
        {"DataGravacao", "Data de Gravação:", nullptr, &FDataGravacao},
        {"Disquetes", "Nº de disquetes:", nullptr, &FDisquetes},
        {"Fundos", "Nº de Fundo/Clube:", nullptr, &FFundos},
    };
    qreal y = 6;
    for (const auto& l : linhas) {
        const QString nome = QLatin1String(l.nome);
        TRotulo& titulo = Rotulo(d, QStringLiteral("QRLTitulo") + nome, QString::fromUtf8(l.titulo), 0, y, 8, true);
        if (l.rotuloTitulo != nullptr)
            *l.rotuloTitulo = &titulo;
        *l.valor = &Rotulo(d, QStringLiteral("QRL") + nome, QString(), XValor, y);
        y += EntreLinhas;
    }
    y += 4;
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
    // The names end their lines: whole up to the margin, smaller where they would pass it.
    const qreal margem = FRelatorio->Papel().LarguraUtil();
    EncolheNaColuna(*FNome, FonteRelato(8), margem);
    EncolheNaColuna(*FNomeResponsavel, FonteRelato(8), margem);
    FDataGravacao->Texto = TextoDataGeracao(Pruv.GetDataGeracao());
    FDisquetes->Texto = QString::number(Pruv.GetNrDisquetes());
    FFundos->Texto = QString::number(Pruv.GetColecaoAnexo().Quantidade());
}

void TFoRelatoGerencial::Visualiza()
{
    VisualizaContando(*FRelatorio);
}

bool TFoRelatoGerencial::Imprime()
{
    return ImprimeContando(*FRelatorio);
}

void ImprimeRelatoGerencial(TColecaoPruv& Colecao, bool Visualiza)
{
    ExecutaRelato<TFoRelatoGerencial>(Visualiza, Colecao);
}
