#include "assistants/import/TRelatoErros.h"

#include <algorithm>

#include "shell/common/PapelRelatorio.h"
#include "platform/report/elements/TDadoSistema.h"
#include "platform/report/pages/TFonte.h"
#include "platform/report/elements/TForma.h"
#include "platform/report/pages/TMedidaTexto.h"
#include "platform/report/elements/TMemo.h"
#include "platform/report/elements/TRotulo.h"
#include "shell/printing/TFoPreview.h"

namespace {

const QString Cabecalho = QStringLiteral("QRBCabecalho");
const QString Detalhe = QStringLiteral("QRBDetalhe");
const QString Rodape = QStringLiteral("QRBRodape");
constexpr qreal Espaco = 6;   // between a caption and its value

QFont Arial(qreal pixels, bool negrito = false)
{
    return TFonte::Cria(QStringLiteral("Arial"), pixels, negrito);
}

// Count x 100 / Total, rounded, in integers.
int Percentual(int Contador, int Total)
{
    return static_cast<int>((200LL * Contador + Total) / (2LL * Total));
}

}   // namespace

TRelatoErros::TRelatoErros(const QString& NomeRelatorio, const QString& Titulo)
    : FRelatorio(NomeRelatorio)
{
    FRelatorio.Titulo = Titulo;
    FRelatorio.Papel().DefineCodigo(9);
    FRelatorio.Papel().DefineMargensEmMilimetros(10, 10, 10, 10);
    // An empty pair gives its page without details.
    FRelatorio.ImprimeSeVazio = true;
    CriaCabecalho(Titulo);
    CriaDetalhe();
    CriaRodape();

    FRelatorio.AntesDeGerar = [this](bool&) {
        // Every pass (preview, print) reads the pair from its first line.
        FContador = 0;
        if (FAberto)
            FLog.Reinicia();
        const qreal largura = FRelatorio.Papel().LarguraUtil();
        for (TElementoRelatorio* elemento : FAteAMargem)
            elemento->Largura = largura - elemento->Esquerda;
        AjustaCabecalho();
        if (Visualizando)
            AtribuiImpressoraPreview();
    };
    FRelatorio.PrecisaDados = [this] { return PrecisaDados(); };
}

TRelatoErros::~TRelatoErros()
{
    FLog.Fecha();
}

QFont TRelatoErros::Rotulo()
{
    return Arial(12, true);
}

QFont TRelatoErros::Campo()
{
    return TFonte::Cria(QStringLiteral("Courier New"), 12);
}

bool TRelatoErros::Abre(const QString& Nome)
{
    FAberto = FLog.AbreLeitura(Nome);
    return FAberto;
}

void TRelatoErros::DefineArquivo(const QString& Caminho)
{
    FRelatorio.BandaDe(Cabecalho).ElementoDe<TMemo>(QStringLiteral("QRLArquivo")).Linhas = QStringList{
        QStringLiteral("Arquivo: ") + Caminho};
}

void TRelatoErros::DefineTitulo(const QString& Titulo)
{
    FRelatorio.Titulo = Titulo;
    FRelatorio.BandaDe(Cabecalho).ElementoDe<TRotulo>(QStringLiteral("QRLTitulo")).Texto = Titulo;
}

void TRelatoErros::Visualiza()
{
    AjustaPapel(FRelatorio);
    Visualizando = true;
    VisualizaRelatorio(FRelatorio);
    Visualizando = false;
    FLog.Fecha();
    FAberto = false;
}

bool TRelatoErros::PrecisaDados()
{
    if (!FAberto || !FLog.LeProximo()) {
        FRelatorio.DefineProgresso(100);
        return false;
    }
    ++FContador;
    FMensagem->Linhas = QStringList{FLog.Mensagem()};
    for (auto& [banda, prepara] : FPreparos)
        prepara(*banda);
    if (Total > 0)
        FRelatorio.DefineProgresso(Percentual(FContador, Total));
    return true;
}

void TRelatoErros::CriaCabecalho(const QString& Titulo)
{
    TBanda& banda = FRelatorio.CriaBanda(TTipoBanda::CabecalhoPagina, Cabecalho);
    banda.Altura = 64;
    TRotulo& titulo = banda.AdicionaRotulo(QStringLiteral("QRLTitulo"), Titulo, 0, 4, Arial(18, true));
    titulo.Alinhamento = Qt::AlignHCenter;
    titulo.Largura = FRelatorio.Papel().LarguraUtil();
    AteAMargem(titulo);
    // A long path goes on over the next lines, whole: the header grows with it (AjustaCabecalho).
    auto& arquivo = banda.Adiciona<TMemo>(QStringLiteral("QRLArquivo"));
    arquivo.Linhas = QStringList{QStringLiteral("Arquivo: ")};
    arquivo.Fonte = Arial(12);
    arquivo.Topo = 36;
    arquivo.Altura = AlturaLinha;
    AteAMargem(arquivo);
    auto& linha = banda.Adiciona<TForma>(QStringLiteral("QRShape1"), TTipoForma::LinhaHorizontal);
    linha.Topo = 58;
    linha.Altura = 4;
    AteAMargem(linha);
}

void TRelatoErros::AjustaCabecalho()
{
    TBanda& banda = FRelatorio.BandaDe(Cabecalho);
    auto& arquivo = banda.ElementoDe<TMemo>(QStringLiteral("QRLArquivo"));
    const qreal mais = std::max<qreal>(0, arquivo.AlturaMedida() - TMedidaTexto::AlturaLinha(arquivo.Fonte));
    arquivo.Altura = AlturaLinha + mais;
    banda.ElementoDe<TForma>(QStringLiteral("QRShape1")).Topo = 58 + mais;
    banda.Altura = 64 + mais;
}

void TRelatoErros::CriaDetalhe()
{
    TBanda& banda = FRelatorio.CriaBanda(TTipoBanda::Detalhe, Detalhe);
    banda.Altura = AlturaLinha + 8;
    auto& separador = banda.Adiciona<TForma>(QStringLiteral("QRShape2"), TTipoForma::LinhaHorizontal);
    separador.Altura = 2;
    AteAMargem(separador);
    const QString rotulo = QStringLiteral("Descrição do erro: ");
    banda.AdicionaRotulo(QStringLiteral("QRLDescricao"), rotulo, 0, 6, Rotulo());
    auto& memo = banda.Adiciona<TMemo>(QStringLiteral("QRMErro"));
    memo.Fonte = Arial(12);
    memo.Esquerda = TMedidaTexto::Largura(Rotulo(), rotulo) + Espaco;
    memo.Topo = 6;
    memo.Altura = AlturaLinha;
    memo.Estica = true;
    AteAMargem(memo);
    FMensagem = &memo;
    FUltima = &banda;
}

void TRelatoErros::CriaRodape()
{
    TBanda& banda = FRelatorio.CriaBanda(TTipoBanda::RodapePagina, Rodape);
    banda.Altura = 24;
    auto& linha = banda.Adiciona<TForma>(QStringLiteral("QRShape3"), TTipoForma::LinhaHorizontal);
    linha.Altura = 4;
    AteAMargem(linha);
    auto& pagina = banda.Adiciona<TDadoSistema>(QStringLiteral("QRSysData1"), TTipoDadoSistema::NumeroPagina);
    pagina.Texto = QStringLiteral("Página: ");
    pagina.Fonte = Arial(11);
    pagina.Topo = 6;
    pagina.Alinhamento = Qt::AlignRight;
    pagina.Largura = FRelatorio.Papel().LarguraUtil();
    AteAMargem(pagina);
}

TBanda& TRelatoErros::CriaBandaLinha(const QString& Nome, std::function<void(TBanda&)> Prepara)
{
    TBanda& banda = FRelatorio.CriaFilha(Nome, *FUltima);
    banda.FicaComPai = true;
    FUltima = &banda;
    if (Prepara)
        FPreparos.emplace_back(&banda, std::move(Prepara));
    return banda;
}

TBanda& TRelatoErros::CriaBandaCampos(const QString& Nome, int Maximo, std::function<std::vector<TCampoErro>()> Campos)
{
    TBanda& banda = CriaBandaLinha(Nome, [this, Maximo, Campos = std::move(Campos)](TBanda& b) {
        const std::vector<TCampoErro> campos = Campos();
        const qreal meio = FRelatorio.Papel().LarguraUtil() / 2;
        int linhas = 0;
        for (int i = 1; i <= Maximo; ++i) {
            auto& rotulo = b.ElementoDe<TRotulo>(QStringLiteral("QrlRotulo%1").arg(i));
            auto& valor = b.ElementoDe<TRotulo>(QStringLiteral("QrlCampo%1").arg(i));
            const bool usado = i <= static_cast<int>(campos.size());
            rotulo.Habilitado = usado;
            valor.Habilitado = usado;
            if (!usado)
                continue;
            const TCampoErro& c = campos[static_cast<std::size_t>(i - 1)];
            rotulo.Texto = c.Rotulo;
            rotulo.Esquerda = c.Coluna * meio;
            rotulo.Topo = 2 + c.Linha * AlturaLinha;
            valor.Texto = c.Valor;
            valor.Esquerda = rotulo.Esquerda + TMedidaTexto::Largura(rotulo.Fonte, c.Rotulo) + Espaco;
            valor.Topo = rotulo.Topo;
            linhas = std::max(linhas, c.Linha + 1);
        }
        b.Altura = 4 + linhas * AlturaLinha;
    });
    banda.Altura = AlturaLinha;
    for (int i = 1; i <= Maximo; ++i) {
        banda.AdicionaRotulo(QStringLiteral("QrlRotulo%1").arg(i), QString(), 0, 0, Rotulo());
        banda.AdicionaRotulo(QStringLiteral("QrlCampo%1").arg(i), QString(), 0, 0, Campo());
    }
    return banda;
}
