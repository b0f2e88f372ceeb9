// Saving 100,000 items of 10,000 beneficiaries as the importer of a new declaration does (insert
// only, write-through off), and loading them back one by one with their beneficiary names and
// judicial values.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "DeclaracaoArmazenadaDeTeste.h"
#include "model/TColecaoPruvItem.h"
#include "model/Utilitarios.h"
#include "platform/db/TDatabase.h"
#include "platform/files/TPastas.h"

namespace {

constexpr int Beneficiarios = 10000;
constexpr int CodigosPorBeneficiario = 10;
constexpr int Itens = Beneficiarios * CodigosPorBeneficiario;

// A program folder of its own for the whole run.
struct TPrograma {
    QTemporaryDir pasta;
    TPrograma()
    {
        qputenv("PRUV2003_HOME", pasta.path().toUtf8());
        TPastas::Cria();
    }
    void Esvazia() const { QFile::remove(DiretorioDados() + QLatin1Char('/') + TDatabase::NomeArquivo()); }
};

TPrograma& Programa()
{
    static TPrograma programa;
    return programa;
}

QString Codigo(int i)
{
    return QStringLiteral("%1").arg(1000 + i * 17, 4, 10, QLatin1Char('0'));
}

// A declaration whose code table knows the ten codes used.
std::unique_ptr<DeclaracaoArmazenada> NovaDeclaracao()
{
    auto declaracao = std::make_unique<DeclaracaoArmazenada>();
    auto& codigos = dynamic_cast<TabelaCodigosDeTeste&>(declaracao->GetColecaoCodigoRetencao());
    for (int c = 0; c < CodigosPorBeneficiario; ++c)
        codigos.Adiciona(Codigo(c), QStringLiteral("2002"));
    return declaracao;
}

// Every item of every beneficiary, with twelve months of values and, one in ten, sub judice
// values; the declaration is new, so the collection works insert-only.
void GravaTudo(DeclaracaoArmazenada& declaracao)
{
    TColecaoPruvItem& itens = declaracao.GetItens();
    itens.SetGravarEmDisco(false);
    itens.SetNaoAtualizaAux(true);
    TPruvItem item(declaracao, declaracao);
    for (int b = 0; b < Beneficiarios; ++b) {
        const QString raiz = QStringLiteral("%1").arg(100000000 + b * 7919, 9, 10, QLatin1Char('0'));
        for (int c = 0; c < CodigosPorBeneficiario; ++c) {
            item.Limpa();
            item.GetCodigoRetencao().SetCodigo(Codigo(c));
            declaracao.GetColecaoCodigoRetencao().BuscaCodigo(item.GetCodigoRetencao(), QStringLiteral("0"));
            item.GetBeneficiario().SetNi(Cpf(raiz));
            item.GetBeneficiario().Nome().SetTexto(QStringLiteral("JOSE DA SILVA"));
            for (int m = 1; m <= 12; ++m) {
                item.GetValores().GetRendimento(m).SetValor((b + m) * TMonetario::Escala);
                item.GetValores().GetImposto(m).SetValor(m * TMonetario::Escala);
            }
            if (c == 0)
                item.GetSubJudice().GetRendimento(3).SetValor(5 * TMonetario::Escala);
            itens.Salva(item);
        }
    }
    itens.SetGravarEmDisco(true);
    declaracao.LiberaItens();
}

void BM_SalvaItensSomenteInsercao(benchmark::State& state)
{
    Programa();
    for (auto _ : state) {
        state.PauseTiming();
        Programa().Esvazia();
        auto declaracao = NovaDeclaracao();
        state.ResumeTiming();
        GravaTudo(*declaracao);
        state.PauseTiming();
        declaracao.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * Itens);
}

void BM_CarregaItens(benchmark::State& state)
{
    Programa().Esvazia();
    auto declaracao = NovaDeclaracao();
    GravaTudo(*declaracao);
    for (auto _ : state) {
        TColecaoPruvItem& itens = declaracao->GetItens();
        TPruvItem item(*declaracao, *declaracao);
        int lidos = 0;
        for (itens.PrimeiroRegistro(item); !itens.Eof(); itens.ProximoRegistro(item))
            ++lidos;
        if (lidos != Itens)
            state.SkipWithError("not every item was read");
        declaracao->LiberaItens();
    }
    state.SetItemsProcessed(state.iterations() * Itens);
}

}  // namespace

BENCHMARK(BM_SalvaItensSomenteInsercao)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_CarregaItens)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
