// Opening a stored declaration of 10,000 and 100,000 items on the beneficiaries page, to its
// first beneficiary on screen, and stepping to the next one; with the resident memory the page
// added and the process's peak. The page walks the items a row at a time, so neither the time
// nor the memory may grow with the number of items.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <map>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

#include "model/TColecaoCodigoRetencao.h"
#include "model/TColecaoPruv.h"
#include "model/TColecaoPruvItem.h"
#include "model/TNi.h"
#include "model/TPruv.h"
#include "model/Utilitarios.h"
#include "platform/db/TDatabase.h"
#include "platform/files/TPastas.h"
#include "screens/TFrBeneficiarios.h"

namespace {

// Resident memory now, in kilobytes.
double ResidenteKb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> campos = statm.readAll().split(' ');
    return campos.size() > 1 ? campos[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / 1024.0 : 0;
}

double PicoKb()
{
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return double(uso.ru_maxrss);
}

QString Cnpj(const char* raiz)
{
    const QString r = QLatin1String(raiz);
    return r + CalculaDV(r);
}

// A program folder per item count, holding one stored declaration with that many items, one
// beneficiary each, under code 0561.
class TProgramaArmazenado {
public:
    explicit TProgramaArmazenado(int itens)
    {
        qputenv("PRUV2003_HOME", FPasta.path().toUtf8());
        TPastas::Cria();
        TColecaoCodigoRetencao(QStringLiteral("2002"), QStringLiteral(PRUV_PASTA_RECURSOS "/CodRet.txt"));
        TPruv pruv;
        pruv.SetErros(&FErros);
        pruv.GetDeclarante().SetNi(Cnpj("112223330001"));
        pruv.GetDeclarante().Nome().SetTexto(QStringLiteral("EMPRESA ALFA LTDA"));
        pruv.SetAno(QStringLiteral("2002"));
        TColecaoPruv().Inclui(pruv);
        TColecaoPruvItem& colecao = pruv.GetItens();
        colecao.SetGravarEmDisco(false);
        colecao.SetNaoAtualizaAux(true);
        TPruvItem item(pruv, pruv);
        for (int i = 0; i < itens; ++i) {
            item.Limpa();
            item.GetCodigoRetencao().SetCodigo(QStringLiteral("0561"));
            pruv.GetColecaoCodigoRetencao().BuscaCodigo(item.GetCodigoRetencao(), QStringLiteral("0"));
            const QString raiz = QStringLiteral("%1").arg(100000000 + i * 7, 9, 10, QLatin1Char('0'));
            item.GetBeneficiario().SetNi(raiz + CalculaDV(raiz));
            item.GetBeneficiario().Nome().SetTexto(QStringLiteral("JOSE DA SILVA"));
            for (int m = 1; m <= 12; ++m)
                item.GetValores().GetRendimento(m).SetValor((1000 + m) * TMonetario::Escala);
            colecao.Salva(item);
        }
        colecao.SetGravarEmDisco(true);
    }
    // Points the program at this folder.
    void Usa() const { qputenv("PRUV2003_HOME", FPasta.path().toUtf8()); }

private:
    QTemporaryDir FPasta;
    TErros FErros;
};

TProgramaArmazenado& Programa(int itens)
{
    static std::map<int, std::unique_ptr<TProgramaArmazenado>> programas;
    auto& programa = programas[itens];
    if (!programa)
        programa = std::make_unique<TProgramaArmazenado>(itens);
    programa->Usa();
    return *programa;
}

// The stored declaration loaded as the open dialog loads it.
std::unique_ptr<TPruv> Carrega(TErros& erros)
{
    auto pruv = std::make_unique<TPruv>();
    pruv->SetErros(&erros);
    pruv->GetDeclarante().SetNi(Cnpj("112223330001"));
    pruv->SetAno(QStringLiteral("2002"));
    TColecaoPruv().Carrega(*pruv);
    return pruv;
}

// The page opened on the declaration and moved to its first beneficiary.
void AbreNoPrimeiro(TFrBeneficiarios& pagina, TPruv& pruv)
{
    pagina.SetPruv(pruv);
    pagina.show();
    pagina.Abre(false, {});
    pagina.BbFirstClick();
    QCoreApplication::processEvents();
}

void BM_AbrePrimeiroBeneficiario(benchmark::State& state)
{
    Programa(int(state.range(0)));
    TErros erros;
    double acrescimo = 0;
    for (auto _ : state) {
        const double antes = ResidenteKb();
        auto pruv = Carrega(erros);
        TFrBeneficiarios pagina;
        AbreNoPrimeiro(pagina, *pruv);
        if (pagina.Item()->GetChave().isEmpty())
            state.SkipWithError("no beneficiary on screen");
        acrescimo = ResidenteKb() - antes;
        pagina.Fecha();
    }
    state.counters["itens"] = double(state.range(0));
    state.counters["memoria_aberta_kb"] = acrescimo;
    state.counters["pico_kb"] = PicoKb();
}

void BM_ProximoBeneficiario(benchmark::State& state)
{
    Programa(int(state.range(0)));
    TErros erros;
    auto pruv = Carrega(erros);
    TFrBeneficiarios pagina;
    AbreNoPrimeiro(pagina, *pruv);
    const double antes = ResidenteKb();
    for (auto _ : state) {
        pagina.BbNextClick();
        if (pagina.Item()->GetChave().isEmpty())
            state.SkipWithError("no beneficiary on screen");
    }
    state.counters["itens"] = double(state.range(0));
    state.counters["memoria_passos_kb"] = ResidenteKb() - antes;
    state.counters["pico_kb"] = PicoKb();
    pagina.Fecha();
}

}  // namespace

BENCHMARK(BM_AbrePrimeiroBeneficiario)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ProximoBeneficiario)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond)->Iterations(2000);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
