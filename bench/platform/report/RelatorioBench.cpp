#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

#include "platform/report/elements/TDadoSistema.h"
#include "platform/report/pages/TDocumentoRelatorio.h"
#include "platform/report/pages/TFonte.h"
#include "platform/report/elements/TForma.h"
#include "platform/report/elements/TMemo.h"
#include "platform/report/bands/TRelatorio.h"
#include "platform/report/elements/TRotulo.h"
#include "platform/report/printing/TSaidaRelatorio.h"
#include "platform/report/elements/TTextoDado.h"

namespace {

constexpr int Paginas = 1000;
constexpr int RegistrosPorPagina = 40;

// A list report like the program's: framed page header, detail rows of six columns with a
// memo, page footer with date and page number; 1,000 pages.
struct TRelatorioDeLista {
    TRelatorio R{QStringLiteral("Bench")};
    int Atual = 0;

    TRelatorioDeLista()
    {
        const QFont titulo = TFonte::Cria(QStringLiteral("Arial"), 21, true);
        const QFont texto = TFonte::Cria(QStringLiteral("Arial"), 11);
        TBanda& cabecalho = R.CriaBanda(TTipoBanda::CabecalhoPagina, QStringLiteral("Cabecalho"));
        cabecalho.Altura = 60;
        auto& moldura = cabecalho.Adiciona<TForma>(QStringLiteral("Moldura"));
        moldura.Largura = R.Papel().LarguraUtil();
        moldura.Altura = 50;
        cabecalho.AdicionaRotulo(QStringLiteral("Titulo"), QStringLiteral("Relatório com Lista de Beneficiários"), 10,
                                 12, titulo);
        TBanda& rodape = R.CriaBanda(TTipoBanda::RodapePagina, QStringLiteral("Rodape"));
        rodape.Altura = 20;
        auto& data = rodape.Adiciona<TDadoSistema>(QStringLiteral("Data"), TTipoDadoSistema::Data);
        data.Texto = QStringLiteral("Data: ");
        data.Fonte = texto;
        auto& pagina = rodape.Adiciona<TDadoSistema>(QStringLiteral("Pagina"));
        pagina.Texto = QStringLiteral("Página ");
        pagina.Fonte = texto;
        pagina.Largura = R.Papel().LarguraUtil();
        pagina.Alinhamento = Qt::AlignRight;

        TBanda& detalhe = R.CriaBanda(TTipoBanda::Detalhe, QStringLiteral("Detalhe"));
        const qreal livre = R.AlturaUtil() - R.Papel().MargemSuperior - cabecalho.Altura;
        detalhe.Altura = livre / RegistrosPorPagina - 0.01;
        const QString colunas[] = {
            QStringLiteral("0561"),         QStringLiteral("123.456.789-09"), QStringLiteral("Nome do Beneficiário"),
            QStringLiteral("1.234.567,89"), QStringLiteral("12.345,67"),      QStringLiteral("123.456,78")};
        qreal x = 0;
        for (const QString& c : colunas) {
            auto& campo = detalhe.Adiciona<TTextoDado>(QStringLiteral("C") + c);
            campo.Fonte = texto;
            campo.Esquerda = x;
            campo.Valor = [this, c] { return c + QLatin1Char(' ') + QString::number(Atual); };
            x += 110;
        }
        R.AntesDeGerar = [this](bool&) { Atual = 0; };
        R.PrecisaDados = [this] { return ++Atual <= Paginas * RegistrosPorPagina; };
    }
};

void GeraPdf(benchmark::State& estado)
{
    QTemporaryDir pasta;
    TRelatorioDeLista relatorio;
    int paginas = 0;
    for (auto _ : estado) {
        if (!TSaidaRelatorio::ExportaPdf(relatorio.R, pasta.filePath(QStringLiteral("lista.pdf"))))
            estado.SkipWithError("PDF não gerado");
        paginas = relatorio.R.Documento()->Recebidas();
    }
    estado.counters["paginas"] = paginas;
    estado.counters["paginas/s"] = benchmark::Counter(paginas, benchmark::Counter::kIsIterationInvariantRate);
}

void GeraParaVisualizar(benchmark::State& estado)
{
    TRelatorioDeLista relatorio;
    for (auto _ : estado)
        relatorio.R.Gera();
    estado.counters["paginas/s"] = benchmark::Counter(relatorio.R.Documento()->Quantidade(),
                                                      benchmark::Counter::kIsIterationInvariantRate);
}

void Prepara(benchmark::State& estado)
{
    TRelatorioDeLista relatorio;
    int paginas = 0;
    for (auto _ : estado)
        paginas = relatorio.R.Prepara();
    estado.counters["paginas/s"] = benchmark::Counter(paginas, benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(GeraPdf)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(GeraParaVisualizar)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Prepara)->Unit(benchmark::kMillisecond)->Iterations(3);

}   // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication aplicacao(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
