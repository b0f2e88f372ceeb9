// Importing a delivery-layout file of value lines (beneficiaries under 10 codes each, and one item
// of code 0561 in ten with a second line of sub judice values): lines read per second, into a new
// declaration (appended without looking items up; 100,000 lines) and over the same declaration
// already stored (every item looked up and replaced; 10,000 lines, as that path is far slower).
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "exchange/TImportacaoPruv.h"
#include "exchange/TItemEntrega.h"
#include "exchange/TRegistroTipo2.h"
#include "exchange/LayoutDeclar.h"
#include "model/TColecaoCodigoRetencao.h"
#include "model/TColecaoPruv.h"
#include "model/TNi.h"
#include "model/TPruv.h"
#include "platform/files/TPastas.h"
#include "platform/ui/IDialogos.h"
#include "platform/ui/InterfaceUsuario.h"

namespace {

const char* const Codigos[] = {"0561", "0588", "3208", "3223", "3277", "3533", "3562", "5204", "5706", "5936"};
const QString Empresa = QStringLiteral("11222333000181");

// Yes to the question about the stored declaration; OK to anything else.
class TDialogosSim final : public IDialogos {
public:
    Resposta Mostra(const TMensagemDialogo& Mensagem) override
    {
        return (Mensagem.Botoes & Botao::Sim) != 0 ? Resposta::Sim : Resposta::Ok;
    }
};

struct TPrograma {
    QTemporaryDir pasta;
    TDialogosSim dialogos;
    std::unique_ptr<TColecaoPruv> colecao;

    TPrograma()
    {
        qputenv("PRUV2003_HOME", pasta.path().toUtf8());
        InterfaceUsuario::Instala(&dialogos);
        TPastas::Cria();
        TColecaoCodigoRetencao(QStringLiteral("2002"), QStringLiteral(PRUV_PASTA_RECURSOS "/CodRet.txt"));
        colecao = std::make_unique<TColecaoPruv>();
    }

    ~TPrograma() { InterfaceUsuario::Instala(static_cast<IDialogos*>(nullptr)); }

    // The file of that many lines (a multiple of 100), and its number of items.
    QString Arquivo(int Linhas, int& Itens)
    {
        const int beneficiarios = Linhas * 99 / 1000;
        const int comSubJudice = Linhas / 100;
        Itens = beneficiarios * 10;
        const QString arquivo = pasta.path() + QStringLiteral("/linhas-%1.txt").arg(Linhas);
        if (QFile::exists(arquivo))
            return arquivo;
        QFile saida(arquivo);
        saida.open(QIODevice::WriteOnly);
        int sequencia = 0;
        for (const char* codigo : Codigos) {
            for (int b = 0; b < beneficiarios; ++b) {
                const QString raiz = QStringLiteral("%1").arg(100000000 + b * 7919, 9, 10, QLatin1Char('0'));
                TItemEntrega item;
                item.Codigo = QLatin1String(codigo);
                item.BeneficiarioPf = true;
                item.NiBeneficiario = raiz + CalculaDV(raiz);
                item.NomeBeneficiario = QStringLiteral("JOSE DA SILVA");
                for (int m = 1; m <= 12; ++m) {
                    item.Valor(TItemEntrega::Rendimento, m) = (b + m) * 10000;
                    item.Valor(TItemEntrega::Imposto, m) = m * 10000;
                }
                if (codigo == Codigos[0] && b < comSubJudice)
                    item.Valor(TItemEntrega::RendimentoSubJudice, 3) = 50000;
                for (int identificador : {0, 2})
                    if (TRegistroTipo2::Presente(item, identificador))
                        saida.write(TRegistroTipo2::Monta('2', ++sequencia, Empresa, item, identificador).Bytes() + "\r\n");
            }
        }
        return arquivo;
    }
};

TPrograma& Programa()
{
    static TPrograma programa;
    return programa;
}

void Apaga(TColecaoPruv& Colecao)
{
    TErros erros;
    TPruv pruv;
    pruv.SetErros(&erros);
    pruv.GetDeclarante().SetNi(Empresa);
    pruv.SetAno(QStringLiteral("2002"));
    if (Colecao.Carrega(pruv))
        Colecao.Exclui(pruv);
}

void BM_ImportaEntrega(benchmark::State& state)
{
    const bool existente = state.range(0) != 0;
    const int linhas = static_cast<int>(state.range(1));
    TPrograma& programa = Programa();
    int itens = 0;
    const QString arquivo = programa.Arquivo(linhas, itens);
    TErros erros;
    TPruv alvo;
    alvo.SetErros(&erros);
    alvo.GetDeclarante().SetNi(Empresa);
    alvo.GetDeclarante().Nome().SetTexto(QStringLiteral("EMPRESA DE TESTE LTDA"));
    alvo.SetAno(QStringLiteral("2002"));
    alvo.SetNatureza(alvo.GetNaturezas().GetTodas()[0]);
    TImportacaoPruv::TContadores n;
    for (auto _ : state) {
        state.PauseTiming();
        Apaga(*programa.colecao);
        if (existente) {
            TImportacaoPruv primeira;
            QString nome;
            const bool cancelado = false;
            primeira.Importa(cancelado, false, *programa.colecao, 0, nullptr, nome, arquivo, alvo, n);
        }
        state.ResumeTiming();

        TImportacaoPruv importacao;
        QString nome;
        const bool cancelado = false;
        const std::uint8_t r = importacao.Importa(cancelado, false, *programa.colecao, 0, nullptr, nome, arquivo, alvo, n);

        state.PauseTiming();
        const int esperados = existente ? n.BeneficiariosSubstituidos : n.BeneficiariosAdicionados;
        if (r != 0 || esperados != itens) {
            state.SkipWithError(qPrintable(QStringLiteral("the file was not imported whole: %1 of %2 items, %3 lines refused")
                                               .arg(esperados)
                                               .arg(itens)
                                               .arg(n.RegistrosRejeitados)));
            break;
        }
        state.ResumeTiming();
    }
    state.counters["linhas"] = linhas;
    state.counters["linhas/s"] = benchmark::Counter(static_cast<double>(linhas) * static_cast<double>(state.iterations()),
                                                    benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_ImportaEntrega)
    ->ArgNames({"existente", "linhas"})
    ->Args({0, 100000})
    ->Args({1, 10000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

BENCHMARK_MAIN();
