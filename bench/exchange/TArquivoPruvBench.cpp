// Writing the delivery file of a stored declaration of 10,000 and of 100,000 items (10 codes per
// beneficiary, one item in ten with sub judice values): lines written per second, and the peak
// resident memory of the writing and of the whole run, each above what the process held before.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>
#include <memory>

#include "exchange/ResultadoEntrega.h"
#include "exchange/TArquivoPruv.h"
#include "model/TColecaoCodigoRetencao.h"
#include "model/TColecaoPruv.h"
#include "model/TColecaoPruvItem.h"
#include "model/TNi.h"
#include "model/TPruvItem.h"
#include "model/Utilitarios.h"
#include "platform/files/TPastas.h"
#include "platform/files/TVolumes.h"
#include "platform/ui/IProgresso.h"

namespace {

constexpr int CodigosPorBeneficiario = 10;
const char* const Codigos[CodigosPorBeneficiario] = {"0561", "0588", "3208", "3223", "3277",
                                                     "3533", "3562", "5204", "5706", "5936"};

// Resident memory in KiB from the process status (Linux): "VmHWM" the peak since the last
// reset, "VmRSS" the present; -1 when it cannot be read.
qint64 MemoriaKiB(const QByteArray& Campo)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& linha : status.readAll().split('\n'))
        if (linha.startsWith(Campo + ':'))
            return linha.mid(Campo.size() + 1).trimmed().split(' ').first().toLongLong();
    return -1;
}

void ZeraPico()
{
    QFile limpa(QStringLiteral("/proc/self/clear_refs"));
    if (limpa.open(QIODevice::WriteOnly))
        limpa.write("5");
}

// The packing gauge is set up just before the packing: the peak then is the writing's.
class TGaugeMarcador final : public IProgresso {
public:
    void DefineFaixa(int, int) override { PicoEscrita = MemoriaKiB("VmHWM"); }
    void DefinePosicao(int posicao) override { FPosicao = posicao; }
    void MostraTexto(const QString&) override {}
    [[nodiscard]] int Minimo() const override { return 0; }
    [[nodiscard]] int Maximo() const override { return 100; }
    [[nodiscard]] int Posicao() const override { return FPosicao; }

    qint64 PicoEscrita = 0;

private:
    int FPosicao = 0;
};

// A program folder for the whole run, with one stored company declaration per size.
struct TPrograma {
    QTemporaryDir pasta;
    std::unique_ptr<TColecaoPruv> colecao;

    TPrograma()
    {
        qputenv("PRUV2003_HOME", pasta.path().toUtf8());
        TPastas::Cria();
        TVolumes::DefinePastaBase(pasta.path());
        TColecaoCodigoRetencao(QStringLiteral("2002"), QStringLiteral(PRUV_PASTA_RECURSOS "/CodRet.txt"));
        colecao = std::make_unique<TColecaoPruv>();
    }

    // The declaration of that many beneficiaries, stored on first use.
    TPruv& Declaracao(int beneficiarios)
    {
        static std::map<int, std::unique_ptr<TPruv>> declaracoes;
        auto& pruv = declaracoes[beneficiarios];
        if (!pruv) {
            pruv = std::make_unique<TPruv>();
            Armazena(*pruv, beneficiarios);
        }
        return *pruv;
    }

    void Armazena(TPruv& pruv, int beneficiarios)
    {
        pruv.SetErros(&erros);
        const QString raiz = QStringLiteral("%1").arg(10000000 + beneficiarios, 8, 10, QLatin1Char('0')) + QStringLiteral("0001");
        pruv.GetDeclarante().SetNi(raiz + CalculaDV(raiz));
        pruv.GetDeclarante().Nome().SetTexto(QStringLiteral("EMPRESA DE TESTE LTDA"));
        pruv.SetAno(QStringLiteral("2002"));
        pruv.AtualizaNaturezas();
        pruv.SetNatureza(*pruv.GetNaturezas().GetDisponivel(0));
        pruv.GetRespCnpj().SetNi(QStringLiteral("11144477735"));
        TResponsavel& r = pruv.GetResponsavel();
        r.SetNi(QStringLiteral("52998224725"));
        r.Nome().SetTexto(QStringLiteral("MARIA DA SILVA"));
        r.Fone().DDD().SetTexto(QStringLiteral("11"));
        r.Fone().Numero().SetTexto(QStringLiteral("32221234"));
        colecao->Inclui(pruv);

        TColecaoPruvItem& itens = pruv.GetItens();
        itens.SetGravarEmDisco(false);
        itens.SetNaoAtualizaAux(true);
        TPruvItem item(pruv, pruv);
        for (int b = 0; b < beneficiarios; ++b) {
            const QString cpf = QStringLiteral("%1").arg(100000000 + b * 7919, 9, 10, QLatin1Char('0'));
            for (const char* codigo : Codigos) {
                item.Limpa();
                item.GetCodigoRetencao().SetCodigo(QLatin1String(codigo));
                pruv.GetColecaoCodigoRetencao().BuscaCodigo(item.GetCodigoRetencao(), QStringLiteral("0"));
                item.GetBeneficiario().SetNi(cpf + CalculaDV(cpf));
                item.GetBeneficiario().Nome().SetTexto(QStringLiteral("JOSE DA SILVA"));
                for (int m = 1; m <= 12; ++m) {
                    item.GetValores().GetRendimento(m).SetValor((b + m) * TMonetario::Escala);
                    item.GetValores().GetImposto(m).SetValor(m * TMonetario::Escala);
                }
                if (codigo == Codigos[0])
                    item.GetSubJudice().GetRendimento(3).SetValor(5 * TMonetario::Escala);
                itens.Salva(item);
            }
        }
        itens.SetGravarEmDisco(true);
        pruv.LiberaItens();
    }

    TErros erros;
};

TPrograma& Programa()
{
    static TPrograma programa;
    return programa;
}

void BM_GeraEntrega(benchmark::State& state)
{
    const int beneficiarios = static_cast<int>(state.range(0));
    TPruv& pruv = Programa().Declaracao(beneficiarios);
    const QString ni = pruv.GetDeclarante().GetNi();
    const QStringList chaves{QStringLiteral("2002") + ni.left(12)};
    const TVolume volume = TVolumes::Lista().first();
    const int itens = beneficiarios * CodigosPorBeneficiario;
    qint64 linhas = 0;
    qint64 picoEscrita = 0;
    qint64 picoTotal = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QDir(volume.Raiz + QStringLiteral("/Declaracoes Gravadas XEQ")).removeRecursively();
        const qint64 antes = MemoriaKiB("VmRSS");
        ZeraPico();
        TGaugeMarcador gauge;
        state.ResumeTiming();

        TArquivoPruv writer;
        QString arquivo;
        const bool cancelado = false;
        const std::uint8_t r = writer.Gera(arquivo, cancelado, pruv, *Programa().colecao, nullptr, &gauge, chaves,
                                           volume, QString(), QStringLiteral("SP"), QString(), itens);

        state.PauseTiming();
        if (r != ResultadoEntrega::Ok)
            state.SkipWithError("the delivery file was not written");
        picoEscrita = std::max(picoEscrita, gauge.PicoEscrita - antes);
        picoTotal = std::max(picoTotal, MemoriaKiB("VmHWM") - antes);
        linhas = (QFile(DiretorioDados() + QStringLiteral("/Declar.txt")).size() - 250) / 732 + 1;
        state.ResumeTiming();
    }
    state.counters["linhas"] = static_cast<double>(linhas);
    state.counters["linhas/s"] = benchmark::Counter(static_cast<double>(linhas) * static_cast<double>(state.iterations()),
                                                    benchmark::Counter::kIsRate);
    state.counters["pico_escrita_MiB"] = static_cast<double>(picoEscrita) / 1024.0;
    state.counters["pico_total_MiB"] = static_cast<double>(picoTotal) / 1024.0;
}

}  // namespace

BENCHMARK(BM_GeraEntrega)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(2);

BENCHMARK_MAIN();
