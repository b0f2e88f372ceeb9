#include "assistants/verification/TFrRelPendencias.h"

#include "assistants/verification/TEstiloLinhaVerificacao.h"
#include "assistants/verification/TFrPruvVerifica.h"
#include "assistants/verification/TabelaVerifica.h"
#include "model/values/TratamentoTexto.h"
#include "platform/db/datasets/TDataSet.h"
#include "platform/report/elements/TDadoSistema.h"
#include "platform/report/pages/TFonte.h"
#include "platform/report/elements/TForma.h"
#include "platform/report/elements/TImagem.h"
#include "platform/report/pages/TMedidaTexto.h"
#include "platform/report/elements/TMemo.h"
#include "shell/printing/TFoPreview.h"

namespace {

const QString Cabecalho = QStringLiteral("QRBCabecPagina");
const QString Detalhe = QStringLiteral("QRBand1");
const QString Sumario = QStringLiteral("QRBand2");
const QString Rodape = QStringLiteral("QRBand4");

QFont Arial(qreal pixels, bool negrito = false)
{
    return TFonte::Cria(QStringLiteral("Arial"), pixels, negrito);
}

// The elements of a detail row, and which of them print for each code.
enum TParte : unsigned { Declarantes = 1, Fundos = 2, Ok = 4, Quadros = 8, Erros = 16 };

struct TElementoDetalhe {
    const char* Nome;
    TParte Parte;
};
constexpr TElementoDetalhe ElementosDetalhe[] = {
    {"QrdbDeclarantes", Declarantes}, {"QrdbFundos", Fundos}, {"QriOk", Ok},
    {"QrdbQuadros", Quadros},         {"QrdbErros", Erros},
};

// What prints for a row of that description; -1 keeps what the row before printed.
int PartesDaLinha(const QString& Descricao)
{
    if (Descricao.isEmpty())
        return 0;
    const QString codigo = TabelaVerifica::Codigo(Descricao);
    if (codigo == QLatin1String("08"))
        return Declarantes;
    if (codigo == QLatin1String("09"))
        return Fundos;
    if (codigo == QLatin1String("10"))
        return Quadros;
    if (codigo == QLatin1String("20"))
        return Quadros | Ok;
    if (codigo == QLatin1String("01") || codigo == QLatin1String("00"))
        return Erros;
    return -1;
}

}   // namespace

TFrRelPendencias::TFrRelPendencias()
{
    QrpPendencias.Titulo = QStringLiteral("Verificação de Pendências");
    QrpPendencias.Papel().DefineCodigo(9);
    QrpPendencias.Papel().DefineMargensEmMilimetros(10, 10, 10, 10);
    CriaCabecalho();
    CriaDetalhe();
    CriaSumario();
    CriaRodape();

    QrpPendencias.AntesDeGerar = [this](bool&) {
        FPrimeiro = true;
        // Elements as wide as the band follow the paper the printer gave.
        const qreal largura = QrpPendencias.Papel().LarguraUtil();
        for (TElementoRelatorio* elemento : FLarguraDaBanda)
            elemento->Largura = largura;
        for (TElementoRelatorio* elemento : FAteAMargem)
            elemento->Largura = largura - elemento->Esquerda;
        if (Visualizando) {
            Visualizando = false;
            AtribuiImpressoraPreview();
        }
    };
    QrpPendencias.PrecisaDados = [this] {
        if (Tabela == nullptr)
            return false;
        if (FPrimeiro)
            Tabela->First();
        else
            Tabela->Next();
        FPrimeiro = false;
        return !Tabela->Eof();
    };
}

void TFrRelPendencias::Moldura(TBanda& Banda, const QString& Nome, qreal Topo, qreal Altura)
{
    auto& moldura = Banda.Adiciona<TForma>(Nome);
    moldura.Topo = Topo;
    moldura.Altura = Altura;
    FLarguraDaBanda.push_back(&moldura);
}

void TFrRelPendencias::CriaCabecalho()
{
    TBanda& banda = QrpPendencias.CriaBanda(TTipoBanda::CabecalhoPagina, Cabecalho);
    banda.Altura = 56;
    Moldura(banda, QStringLiteral("QRShape1"), 0, 48);
    auto& imagem = banda.Adiciona<TImagem>(QStringLiteral("QRImage2"));
    imagem.Estica = true;
    imagem.Esquerda = 4;
    imagem.Topo = 4;
    imagem.Largura = 134;
    imagem.Altura = 40;
    TRotulo& titulo = banda.AdicionaRotulo(QStringLiteral("QRLEncerra"), QStringLiteral("Verificação de Pendências"), 0,
                                           12, Arial(21, true));
    titulo.Alinhamento = Qt::AlignHCenter;
    FLarguraDaBanda.push_back(&titulo);
}

void TFrRelPendencias::CriaDetalhe()
{
    TBanda& banda = QrpPendencias.CriaBanda(TTipoBanda::Detalhe, Detalhe);
    banda.Altura = 17;
    const auto texto = [&](const char* nome, qreal esquerda, const QFont& fonte) {
        auto& campo = banda.Adiciona<TMemo>(QLatin1String(nome));
        campo.Esquerda = esquerda;
        campo.Topo = 1;
        campo.Fonte = fonte;
        // A long text goes on under itself at the margin, the row growing to hold it.
        campo.Estica = true;
        campo.Altura = banda.Altura - 1;
        FAteAMargem.push_back(&campo);
        FTextos.push_back({&campo, [this] { return TabelaVerifica::Texto(Descricao(), TamanhoTexto); }});
    };
    texto("QrdbDeclarantes", 20, Arial(13, true));
    texto("QrdbFundos", 25, Arial(12, true));
    auto& ok = banda.Adiciona<TImagem>(QStringLiteral("QriOk"));
    ok.Imagem = TEstiloLinhaVerificacao::Imagem(TIconeVerificacao::Ok).toImage().copy(0, 0, 16, 16);
    ok.Esquerda = 20;
    ok.Largura = 16;
    ok.Altura = 16;
    texto("QrdbQuadros", 42, Arial(11));
    texto("QrdbErros", 46, Arial(11));
    FTextos.back().second = [this] {
        const bool aviso = Tabela != nullptr && TabelaVerifica::Gravidade(*Tabela) == TabelaVerifica::GravidadeAviso;
        return (aviso ? QStringLiteral("AVISO: ") : QStringLiteral("ERRO : "))
            + TabelaVerifica::Texto(Descricao(), TamanhoTexto);
    };
    banda.AntesDeImprimir = [this](TBanda& b, bool&) {
        PreencheTextos();
        QRBand1BeforePrint(b);
    };
}

void TFrRelPendencias::CriaSumario()
{
    TBanda& banda = QrpPendencias.CriaBanda(TTipoBanda::Sumario, Sumario);
    banda.Altura = 40;
    Moldura(banda, QStringLiteral("QRShape2"), 4, 32);
    qreal esquerda = 12;
    for (const auto& [rotulo, nome] :
         {std::pair{"Total de Erros: ", "QrlNumErros"}, std::pair{"Total de Avisos: ", "QrlNumAvisos"}}) {
        const QFont negrito = Arial(12, true);
        const QString texto = QLatin1String(rotulo);
        banda.AdicionaRotulo(QLatin1String(nome) + QStringLiteral("Rotulo"), texto, esquerda, 12, negrito);
        esquerda += TMedidaTexto::Largura(negrito, texto);
        banda.AdicionaRotulo(QLatin1String(nome), QString(), esquerda, 12, Arial(12));
        esquerda += 180;
    }
    banda.AntesDeImprimir = [this](TBanda& b, bool&) { QRBand2BeforePrint(b); };
}

void TFrRelPendencias::CriaRodape()
{
    TBanda& banda = QrpPendencias.CriaBanda(TTipoBanda::RodapePagina, Rodape);
    banda.Altura = 24;
    auto& linha = banda.Adiciona<TForma>(QStringLiteral("QRShape3"), TTipoForma::LinhaHorizontal);
    FLarguraDaBanda.push_back(&linha);
    linha.Altura = 4;
    auto& data = banda.Adiciona<TDadoSistema>(QStringLiteral("QRSysData1"), TTipoDadoSistema::Data);
    data.Texto = QStringLiteral("Data: ");
    data.Fonte = Arial(11);
    data.Topo = 6;
    auto& pagina = banda.Adiciona<TDadoSistema>(QStringLiteral("QRSysData2"), TTipoDadoSistema::NumeroPagina);
    FLarguraDaBanda.push_back(&pagina);
    pagina.Texto = QStringLiteral("Página: ");
    pagina.Fonte = Arial(11);
    pagina.Topo = 6;
    pagina.Alinhamento = Qt::AlignRight;
}

void TFrRelPendencias::DefineLogotipo(const QImage& Logotipo)
{
    QrpPendencias.BandaDe(Cabecalho).ElementoDe<TImagem>(QStringLiteral("QRImage2")).Imagem = Logotipo;
}

QString TFrRelPendencias::Descricao() const
{
    return Tabela != nullptr ? TabelaVerifica::Descricao(*Tabela) : QString();
}

void TFrRelPendencias::QRBand1BeforePrint(TBanda& Banda)
{
    const int partes = PartesDaLinha(Descricao());
    if (partes < 0)
        return;   // as the row before
    for (const TElementoDetalhe& e : ElementosDetalhe)
        Banda.Elemento(QLatin1String(e.Nome))->Habilitado = (partes & e.Parte) != 0;
}

void TFrRelPendencias::PreencheTextos()
{
    for (auto& [memo, texto] : FTextos)
        memo->Linhas = QStringList{texto()};
}

void TFrRelPendencias::QRBand2BeforePrint(TBanda& Banda)
{
    if (Verificacao == nullptr)
        return;
    Banda.ElementoDe<TRotulo>(QStringLiteral("QrlNumErros")).Texto = ZerosAEsquerda(Verificacao->NumErros(), 4);
    Banda.ElementoDe<TRotulo>(QStringLiteral("QrlNumAvisos")).Texto = ZerosAEsquerda(Verificacao->NumAvisos(), 4);
}
