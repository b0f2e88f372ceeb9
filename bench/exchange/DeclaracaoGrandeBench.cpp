// A large declaration of 10,000, 100,000 and 1,000,000 items (10 codes per beneficiary, one
// beneficiary in ten with sub judice values on its first code), each step beside a floor measured
// in the same run. Every floor works on the program's own database file or on a copy of it taken
// just before the step, with the program's settings (rollback journal, synchronous=FULL, no
// connection mutex), over the same rows:
//   save insert-only (a new declaration, write-through off, inside one transaction)
//                                  vs the same rows bound to prepared INSERTs, one transaction,
//                                     into the copy: the same tables and indexes holding the same
//                                     other declarations as the program's file
//   import of a delivery-layout file into a new declaration   vs the same
// both with every beneficiary under one name and with a name of its own for each; the floors order
// the index of names by a byte-wise fold of their own, so that the program's comparison of names
// counts in the ratio
// The save and the import also report razao_vazio, against the same inserts into a new file made
// from the CREATE statements alone (empty tables: shallower indexes than the program's file); the
// import razao_leitura, against the inserts into the copy plus reading the file and parsing its
// value lines in plain C++.
//   write and pack the delivery file     vs one joined SELECT of the writer's rows in its order,
//                                           snprintf, fwrite and deflate at the packing's level
//   verify                               vs one SELECT of every item in key order joined with its
//                                           judicial values, its beneficiary fetched once per run
//                                           of its items, each column read once by its type, the
//                                           judicial ones only when the row has them
//   the summary ("Atualizar resumo")     vs the same reading, the money columns summed in plain
//                                           C++
// Each reports projeto_s, piso_s, razao and the peak resident memory of the project's step.
// The declaration report to PDF has no floor: its pages per second and peak memory.
// A fund administrator of 2,000 and 8,000 funds of five items each (one beneficiary under five
// fund codes) is verified, summarised and written beside the same floors over its funds' items:
// one SELECT of every fund item of the declaration, by fund and key (by fund, code and
// beneficiary for the writing). Its figures also give "fundos".
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <memory>
#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <vector>
#include <zlib.h>

#include "MedidaBench.h"
#include "exchange/delivery/ResultadoEntrega.h"
#include "exchange/delivery/TArquivoPruv.h"
#include "exchange/delivery/TFontePruv.h"
#include "exchange/import/TImportacaoPruv.h"
#include "exchange/delivery/TItemEntrega.h"
#include "exchange/delivery/TRegistroTipo2.h"
#include "model/declaration/IVerificacao.h"
#include "model/codes/TColecaoCodigoRetencao.h"
#include "model/declaration/TAnexoFC.h"
#include "model/declaration/TColecaoAnexo.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/declaration/TRecalculoResumos.h"
#include "model/items/TColecaoPruvItem.h"
#include "model/people/TNi.h"
#include "model/items/TPruvItem.h"
#include "model/values/PastasPrograma.h"
#include "platform/compress/TGravadorZip.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TTransacao.h"
#include "platform/files/TPastas.h"
#include "platform/files/TVolumes.h"
#include "platform/ui/IDialogos.h"
#include "platform/ui/IProgresso.h"
#include "platform/report/printing/ImpressorasSimuladas.h"
#include "platform/ui/InterfaceUsuario.h"
#include "reports/listings/TFoRelatoDeclaracao.h"

using namespace MedidaBench;

namespace {

constexpr int CodigosPorBeneficiario = 10;
const char* const Codigos[CodigosPorBeneficiario] = {"0561", "0588", "3208", "3223", "3277",
                                                     "3533", "3562", "5204", "5706", "5936"};
const QString Ano = QStringLiteral("2002");
constexpr int ItensPorFundo = 5;
const char* const CodigosFundo[ItensPorFundo] = {"0490", "0924", "5232", "6800", "6813"};

QString Cnpj(int Itens, int Filial)
{
    const QString raiz = QStringLiteral("%1").arg(10000000 + Itens / 10 + Filial, 8, 10, QLatin1Char('0'))
        + QStringLiteral("0001");
    return raiz + CalculaDV(raiz);
}

// The beneficiaries' numbers, worked out before anything is timed: the floor starts from rows
// held in memory, the save from values at hand.
std::vector<QString>& Cpfs()
{
    static std::vector<QString> cpfs;
    return cpfs;
}

void PreparaCpfs(int Beneficiarios)
{
    std::vector<QString>& cpfs = Cpfs();
    for (int b = static_cast<int>(cpfs.size()); b < Beneficiarios; ++b) {
        // 7919 is prime to 900,000,000: past 113,650 beneficiaries the roots go round, all distinct.
        const QString raiz = QStringLiteral("%1").arg(100000000 + (qint64{b} * 7919) % 900000000, 9, 10,
                                                      QLatin1Char('0'));
        cpfs.push_back(raiz + CalculaDV(raiz));
    }
}

const QString& CpfBeneficiario(int b)
{
    return Cpfs().at(static_cast<std::size_t>(b));
}

// The values of beneficiary b under code c, as both the save and the import file give them; every
// beneficiary under one name, or each under a name of its own, which the index of names orders.
void Preenche(TItemEntrega& Item, int b, int c, bool NomesDistintos = false)
{
    Item = TItemEntrega();
    Item.Codigo = QLatin1String(Codigos[c]);
    Item.BeneficiarioPf = true;
    Item.NiBeneficiario = CpfBeneficiario(b);
    Item.NomeBeneficiario = NomesDistintos ? QStringLiteral("JOSE ") + Letras(b) + QStringLiteral(" DA SILVA")
                                           : QStringLiteral("JOSE DA SILVA");
    for (int m = 1; m <= 12; ++m) {
        Item.Valor(TItemEntrega::Rendimento, m) = (b + m) * 10000;
        Item.Valor(TItemEntrega::Imposto, m) = m * 10000;
    }
    if (c == 0 && b % 10 == 0)
        Item.Valor(TItemEntrega::RendimentoSubJudice, 3) = 50000;
}

// Yes to a question about a stored declaration; OK to anything else.
class TDialogosSim final : public IDialogos {
public:
    Resposta Mostra(const TMensagemDialogo& Mensagem) override
    {
        return (Mensagem.Botoes & Botao::Sim) != 0 ? Resposta::Sim : Resposta::Ok;
    }
};

// A run that only counts.
class TVerificacaoMuda final : public IVerificacao {
public:
    [[nodiscard]] bool Interrompida() const override { return false; }
    [[nodiscard]] int NumErros() const override { return 0; }
    void IncluiErros() override {}
    void IncluiLinha(const QString&) override {}
    void IncluiTituloFundo(const QString&, const QString&) override {}
    void MostraVerificados(int) override {}
    void SetaConcluida(bool) override {}
};

// One program folder for the whole run, with the declarations stored so far, by item count.
struct TPrograma {
    QTemporaryDir pasta;
    TDialogosSim dialogos;
    std::unique_ptr<TColecaoPruv> colecao;
    std::map<int, std::unique_ptr<TPruv>> declaracoes;
    std::map<int, std::unique_ptr<TPruv>> administradoras;   // by funds
    TErros erros;

    TPrograma()
    {
        qputenv("PRUV2003_HOME", pasta.path().toUtf8());
        InterfaceUsuario::Instala(&dialogos);
        TPastas::Cria();
        TVolumes::DefinePastaBase(pasta.path());
        TColecaoCodigoRetencao(Ano, QStringLiteral(PRUV_PASTA_RECURSOS "/CodRet.txt"));
        colecao = std::make_unique<TColecaoPruv>();
        // Not measured: a declaration saved first, so that the first figure finds the
        // processor's clock, the code table and the caches as a program already at work does,
        // not as one just started. It stays, as other declarations stay in a user's database.
        PreparaCpfs(1000);
        SalvaItens(*Nova(Cnpj(0, 2)), 10000);
    }
    ~TPrograma() { InterfaceUsuario::Instala(static_cast<IDialogos*>(nullptr)); }

    [[nodiscard]] QString Banco() const { return DiretorioDados() + QLatin1Char('/') + TDatabase::NomeArquivo(); }
    [[nodiscard]] QString Piso() const { return pasta.path() + QStringLiteral("/piso.db"); }
    // The program's database file as it stands, copied for a floor to start from.
    [[nodiscard]] QString CopiaBanco() const
    {
        const QString copia = pasta.path() + QStringLiteral("/antes.db");
        QFile::remove(copia);
        if (!QFile::copy(Banco(), copia))
            throw std::runtime_error("cannot copy the program's database");
        return copia;
    }

    // A new company declaration, stored without items.
    std::unique_ptr<TPruv> Nova(const QString& Cnpj)
    {
        auto pruv = std::make_unique<TPruv>();
        pruv->SetErros(&erros);
        pruv->GetDeclarante().SetNi(Cnpj);
        pruv->GetDeclarante().Nome().SetTexto(QStringLiteral("EMPRESA DE TESTE LTDA"));
        pruv->SetAno(Ano);
        pruv->AtualizaNaturezas();
        pruv->SetNatureza(*pruv->GetNaturezas().GetDisponivel(0));
        pruv->GetRespCnpj().SetNi(QStringLiteral("11144477735"));
        TResponsavel& r = pruv->GetResponsavel();
        r.SetNi(QStringLiteral("52998224725"));
        r.Nome().SetTexto(QStringLiteral("MARIA DA SILVA"));
        r.Fone().DDD().SetTexto(QStringLiteral("11"));
        r.Fone().Numero().SetTexto(QStringLiteral("32221234"));
        colecao->Inclui(*pruv);
        return pruv;
    }

    // The fund administrator of that many funds, each of one beneficiary under the five fund
    // codes, stored on first use in one transaction.
    TPruv& Administradora(int Fundos)
    {
        auto& pruv = administradoras[Fundos];
        if (pruv)
            return *pruv;
        PreparaCpfs(Fundos);
        pruv = Nova(Cnpj(Fundos, 5));
        pruv->SetNaturezaSemExcecao(pruv->GetNaturezas().GetTodas()[TPruv::CodigoAdministradora]);
        colecao->Atualiza(*pruv);
        TTransacao transacao(*TDatabase::DaPasta(DiretorioDados()));
        TAnexoFC anexo(*pruv);
        TPruvItem item(*pruv, anexo);
        for (int f = 0; f < Fundos; ++f) {
            anexo.Limpa();
            const QString raiz = QStringLiteral("%1").arg(40000000 + f, 8, 10, QLatin1Char('0'))
                + QStringLiteral("0001");
            anexo.GetDeclarante().SetNi(raiz + CalculaDV(raiz));
            anexo.GetDeclarante().Nome().SetTexto(QStringLiteral("FUNDO ") + Letras(f));
            pruv->GetColecaoAnexo().Salva(anexo);
            TColecaoPruvItem& itens = anexo.GetItens();
            itens.SetGravarEmDisco(false);
            for (const char* codigo : CodigosFundo) {
                item.Limpa();
                item.GetCodigoRetencao().SetCodigo(QLatin1String(codigo));
                pruv->GetColecaoCodigoRetencao().BuscaCodigo(item.GetCodigoRetencao(), QStringLiteral("1"));
                item.GetBeneficiario().SetNi(CpfBeneficiario(f));
                item.GetBeneficiario().Nome().SetTexto(QStringLiteral("JOSE ") + Letras(f)
                                                       + QStringLiteral(" DA SILVA"));
                for (int m = 1; m <= 12; ++m) {
                    item.GetValores().GetRendimento(m).SetValor((f + m) * 10000);
                    item.GetValores().GetImposto(m).SetValor(m * 10000);
                }
                itens.Salva(item);
            }
            itens.SetGravarEmDisco(true);
            anexo.LiberaItens();
        }
        transacao.Confirma();
        return *pruv;
    }

    // The declaration of that many items, stored on first use.
    TPruv& Declaracao(int Itens)
    {
        auto& pruv = declaracoes[Itens];
        if (!pruv) {
            PreparaCpfs(Itens / CodigosPorBeneficiario);
            pruv = Nova(Cnpj(Itens, 0));
            SalvaItens(*pruv, Itens);
        }
        return *pruv;
    }

    // All or nothing, as the importer saves: one transaction around the load.
    static void SalvaItens(TPruv& Pruv, int Itens, bool NomesDistintos = false)
    {
        TTransacao transacao(*TDatabase::DaPasta(DiretorioDados()));
        TColecaoPruvItem& itens = Pruv.GetItens();
        itens.SetGravarEmDisco(false);
        itens.SetNaoAtualizaAux(true);
        TPruvItem item(Pruv, Pruv);
        TItemEntrega valores;
        for (int b = 0; b < Itens / CodigosPorBeneficiario; ++b) {
            for (int c = 0; c < CodigosPorBeneficiario; ++c) {
                Preenche(valores, b, c, NomesDistintos);
                item.Limpa();
                item.GetCodigoRetencao().SetCodigo(valores.Codigo);
                Pruv.GetColecaoCodigoRetencao().BuscaCodigo(item.GetCodigoRetencao(), QStringLiteral("0"));
                item.GetBeneficiario().SetNi(valores.NiBeneficiario);
                item.GetBeneficiario().Nome().SetTexto(valores.NomeBeneficiario);
                for (int m = 1; m <= 12; ++m) {
                    item.GetValores().GetRendimento(m).SetValor(valores.Valor(TItemEntrega::Rendimento, m));
                    item.GetValores().GetImposto(m).SetValor(valores.Valor(TItemEntrega::Imposto, m));
                }
                item.GetSubJudice().GetRendimento(3).SetValor(valores.Valor(TItemEntrega::RendimentoSubJudice, 3));
                itens.Salva(item);
            }
        }
        itens.SetGravarEmDisco(true);
        Pruv.LiberaItens();
        transacao.Confirma();
    }

    // The rows of the declaration's beneficiaries, items and judicial values.
    [[nodiscard]] TLinhasGuardadas Linhas(const QString& Chave) const
    {
        return TLinhasGuardadas(
            Banco(),
            {{QStringLiteral("Benef"), QStringLiteral("E_PRUV_DK = ?1")},
             {QStringLiteral("PruvItem"), QStringLiteral("E_PRUV_DK = ?1")},
             {QStringLiteral("Judicial"), QStringLiteral("IN_ANEXO = '0' AND \"E_PRUV/ANEXO_DK\" = ?1")}},
            Chave);
    }

    // The delivery-layout file of that many items (value lines of every item, then the sub judice
    // lines), made on first use; Linhas receives its line count.
    QString ArquivoImportacao(int Itens, const QString& Empresa, bool NomesDistintos, int& Linhas)
    {
        const QString arquivo = pasta.path() + QStringLiteral("/importa-%1-%2.txt").arg(Itens).arg(NomesDistintos);
        QFile saida(arquivo);
        saida.open(QIODevice::WriteOnly);
        PreparaCpfs(Itens / CodigosPorBeneficiario);
        int sequencia = 0;
        TItemEntrega item;
        for (int c = 0; c < CodigosPorBeneficiario; ++c)
            for (int b = 0; b < Itens / CodigosPorBeneficiario; ++b) {
                Preenche(item, b, c, NomesDistintos);
                for (int identificador : {0, 2})
                    if (TRegistroTipo2::Presente(item, identificador))
                        saida.write(TRegistroTipo2::Monta('2', ++sequencia, Empresa, item, identificador).Bytes()
                                    + "\r\n");
            }
        Linhas = sequencia;
        return arquivo;
    }
};

TPrograma& Programa()
{
    static TPrograma programa;
    return programa;
}

// ---- save ----

void Apaga(TColecaoPruv& Colecao, const QString& Cnpj)
{
    TErros erros;
    TPruv pruv;
    pruv.SetErros(&erros);
    pruv.GetDeclarante().SetNi(Cnpj);
    pruv.SetAno(Ano);
    if (Colecao.Carrega(pruv))
        Colecao.Exclui(pruv);
}

// A new declaration each time, deleted afterwards, so that the pairs can be repeated. The second
// argument 1: a name of its own for each beneficiary.
void BM_SalvaSomenteInsercao(benchmark::State& Estado)
{
    const int itens = static_cast<int>(Estado.range(0));
    const bool distintos = Estado.range(1) != 0;
    TPrograma& programa = Programa();
    PreparaCpfs(itens / CodigosPorBeneficiario);
    const QString cnpj = Cnpj(itens, 3);
    for (auto _ : Estado) {
        Apaga(*programa.colecao, cnpj);
        std::unique_ptr<TPruv> pruv = programa.Nova(cnpj);
        const QString base = programa.CopiaBanco();
        const qint64 antes = MemoriaKiB("VmRSS");
        ZeraPico();
        const TCronometro cronometro;
        TPrograma::SalvaItens(*pruv, itens, distintos);
        const double projeto = cronometro.Segundos();
        const qint64 pico = MemoriaKiB("VmHWM") - antes;
        const TLinhasGuardadas linhas = programa.Linhas(pruv->GetChave());
        const double piso = linhas.InsereEm(programa.Piso(), base);
        const double vazio = linhas.InsereEm(programa.Piso());
        Estado.SetIterationTime(projeto);
        Relata(Estado, itens, projeto, piso, pico);
        Estado.counters["razao_vazio"] = vazio > 0 ? projeto / vazio : 0;
    }
    Apaga(*programa.colecao, cnpj);
}

// ---- import ----

// The reading part of the import's fair floor: every line of the file read, its key fields taken
// and its 39 value fields parsed as numbers, in plain C++. The seconds it took.
double PisoLeituraArquivo(const QString& Arquivo)
{
    const TCronometro cronometro;
    FILE* entrada = std::fopen(QFile::encodeName(Arquivo).constData(), "rb");
    char linha[1024];
    qint64 soma = 0;
    std::string chaves;
    while (std::fgets(linha, sizeof linha, entrada)) {
        if (linha[8] != '2')
            continue;
        chaves.assign(linha + 23, 4 + 1 + 14);   // code, kind, number
        soma += static_cast<qint64>(chaves.size()) + static_cast<unsigned char>(linha[687]);
        for (int c = 0; c < 39; ++c) {
            qint64 valor = 0;
            for (const char* d = linha + 102 + 15 * c; d < linha + 117 + 15 * c; ++d)
                valor = valor * 10 + (*d - '0');
            soma += valor;
        }
    }
    std::fclose(entrada);
    benchmark::DoNotOptimize(soma);
    return cronometro.Segundos();
}

// The second argument 1: a name of its own for each beneficiary.
void BM_ImportaNova(benchmark::State& Estado)
{
    const int itens = static_cast<int>(Estado.range(0));
    const bool distintos = Estado.range(1) != 0;
    TPrograma& programa = Programa();
    const QString empresa = Cnpj(itens, 1);
    int linhas = 0;
    const QString arquivo = programa.ArquivoImportacao(itens, empresa, distintos, linhas);
    TErros erros;
    TPruv alvo;
    alvo.SetErros(&erros);
    alvo.GetDeclarante().SetNi(empresa);
    alvo.GetDeclarante().Nome().SetTexto(QStringLiteral("EMPRESA DE TESTE LTDA"));
    alvo.SetAno(Ano);
    alvo.SetNatureza(alvo.GetNaturezas().GetTodas()[0]);
    for (auto _ : Estado) {
        Apaga(*programa.colecao, empresa);
        const QString base = programa.CopiaBanco();
        const qint64 antes = MemoriaKiB("VmRSS");
        ZeraPico();
        const TCronometro cronometro;
        {
            TImportacaoPruv importacao;
            const TResultadoImportacao resultado = importacao.Importa(*programa.colecao,
                                                                      TPedidoImportacao(arquivo, alvo));
            const TResultadoImportacao::TContadores& n = resultado.Contadores;
            if (resultado.Codigo != 0 || n.BeneficiariosAdicionados != itens) {
                Estado.SkipWithError(qPrintable(QStringLiteral("not imported whole: %1 of %2 items, %3 lines refused")
                                                    .arg(n.BeneficiariosAdicionados)
                                                    .arg(itens)
                                                    .arg(n.RegistrosRejeitados)));
                return;
            }
        }
        const double projeto = cronometro.Segundos();
        const qint64 pico = MemoriaKiB("VmHWM") - antes;
        TPruv importada;
        importada.SetErros(&erros);
        importada.GetDeclarante().SetNi(empresa);
        importada.SetAno(Ano);
        programa.colecao->Carrega(importada);
        const TLinhasGuardadas guardadas = programa.Linhas(importada.GetChave());
        const double piso = guardadas.InsereEm(programa.Piso(), base);
        const double vazio = guardadas.InsereEm(programa.Piso());
        const double leitura = PisoLeituraArquivo(arquivo);
        Estado.SetIterationTime(projeto);
        Relata(Estado, itens, projeto, piso, pico);
        Estado.counters["razao_vazio"] = vazio > 0 ? projeto / vazio : 0;
        Estado.counters["razao_leitura"] = projeto / (leitura + piso);
        Estado.counters["linhas"] = linhas;
    }
}

// ---- write and pack ----

// The floor of the writing: the value lines of every item of the declaration, read by one query
// joining items, beneficiaries and judicial values in the writer's order, formatted by snprintf,
// written by fwrite, then the file deflated at the packing's level. The seconds it took.
double PisoEscrita(const QString& Banco, const QString& Chave, const QString& Pasta, bool Fundos = false)
{
    sqlite3* conexao = nullptr;
    sqlite3_open_v2(QFile::encodeName(Banco).constData(), &conexao, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                    nullptr);
    sqlite3_exec(conexao, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    // Columns: code, kind, number, name, then income, deduction and tax of each period as the
    // value line lays them out, then the same of the sub judice values.
    QByteArray sql = "SELECT i.TRIB_TRIBU, i.E_IN_PF_PJ, i.E_NR_PF_PJ, b.NM_NM_EMPR";
    for (const char* tabela : {"i.", "j."})
        for (int m = 1; m <= 13; ++m)
            for (const char* serie : {"REND_", "DED_", "IRRF_"})
                sql += QByteArray(", ") + tabela + serie + (tabela[0] == 'j' ? "SUBJUD_" : "")
                    + QByteArray::number(m).rightJustified(2, '0');
    sql += " FROM PruvItem i JOIN Benef b ON b.E_PRUV_DK = i.E_PRUV_DK AND b.IN_PF_PJ = i.E_IN_PF_PJ "
           "AND b.NR_PF_PJ = i.E_NR_PF_PJ LEFT JOIN Judicial j ON j.IN_ANEXO = i.IN_ANEXO "
           "AND j.\"E_PRUV/ANEXO_DK\" = i.\"E_PRUV/ANEXO_DK\" AND j.PRUV_ITEM_DK = i.PRUV_ITEM_DK "
        + QByteArray(Fundos ? "WHERE i.E_PRUV_DK = ?1 AND i.IN_ANEXO = '1' "
                            : "WHERE i.IN_ANEXO = '0' AND i.\"E_PRUV/ANEXO_DK\" = ?1 ")
        + "ORDER BY i.IN_ANEXO, i.\"E_PRUV/ANEXO_DK\", i.TRIB_TRIBU, i.E_IN_PF_PJ, i.E_NR_PF_PJ";
    const TCronometro cronometro;
    sqlite3_stmt* consulta = nullptr;
    sqlite3_prepare_v2(conexao, sql.constData(), -1, &consulta, nullptr);
    const QByteArray chave = Chave.toUtf8();
    sqlite3_bind_text(consulta, 1, chave.constData(), -1, SQLITE_STATIC);
    const QByteArray texto = QFile::encodeName(Pasta + QStringLiteral("/piso.txt"));
    FILE* saida = std::fopen(texto.constData(), "wb");
    char linha[800];
    int sequencia = 0;
    // The value line of the layout: 730 characters, the values in cents from position 103, the
    // identifier at 688.
    const auto grava = [&](int primeira, char identificador) {
        int n = std::snprintf(linha, sizeof linha, "2%08d%-14s%-4s%s%-14s%-60.60s", ++sequencia, "11222333000181",
                              reinterpret_cast<const char*>(sqlite3_column_text(consulta, 0)),
                              reinterpret_cast<const char*>(sqlite3_column_text(consulta, 1)),
                              reinterpret_cast<const char*>(sqlite3_column_text(consulta, 2)),
                              reinterpret_cast<const char*>(sqlite3_column_text(consulta, 3)));
        for (int c = 0; c < 39; ++c)
            n += std::snprintf(linha + n, sizeof linha - static_cast<size_t>(n), "%015lld",
                               static_cast<long long>((sqlite3_column_int64(consulta, primeira + c) + 50) / 100));
        n += std::snprintf(linha + n, sizeof linha - static_cast<size_t>(n), "%c%-42s\r\n", identificador, "");
        std::fwrite(linha, 1, static_cast<size_t>(n), saida);
    };
    while (sqlite3_step(consulta) == SQLITE_ROW) {
        grava(4, '0');
        if (sqlite3_column_type(consulta, 43) != SQLITE_NULL)
            grava(43, '2');
    }
    sqlite3_finalize(consulta);
    sqlite3_close(conexao);
    std::fclose(saida);

    // Deflated as the packing does, from the file just written.
    FILE* entrada = std::fopen(texto.constData(), "rb");
    FILE* pacote = std::fopen(QFile::encodeName(Pasta + QStringLiteral("/piso.deflate")).constData(), "wb");
    z_stream z{};
    deflateInit2(&z, TGravadorZip::NivelCompressao, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    unsigned char de[65536];
    unsigned char para[65536];
    int fim = Z_NO_FLUSH;
    do {
        z.avail_in = static_cast<uInt>(std::fread(de, 1, sizeof de, entrada));
        z.next_in = de;
        fim = std::feof(entrada) ? Z_FINISH : Z_NO_FLUSH;
        do {
            z.avail_out = sizeof para;
            z.next_out = para;
            deflate(&z, fim);
            std::fwrite(para, 1, sizeof para - z.avail_out, pacote);
        } while (z.avail_out == 0);
    } while (fim != Z_FINISH);
    deflateEnd(&z);
    std::fclose(entrada);
    std::fclose(pacote);
    return cronometro.Segundos();
}

// The packing gauge is set up just before the packing: the peak then is the writing's.
class TGaugeMarcador final : public IProgresso {
public:
    void DefineFaixa(int, int) override { PicoEscrita = MemoriaKiB("VmHWM"); }
    void DefinePosicao(int Posicao) override { FPosicao = Posicao; }
    void MostraTexto(const QString&) override {}
    [[nodiscard]] int Minimo() const override { return 0; }
    [[nodiscard]] int Maximo() const override { return 100; }
    [[nodiscard]] int Posicao() const override { return FPosicao; }

    qint64 PicoEscrita = 0;

private:
    int FPosicao = 0;
};

// The declaration of range(0) items, or the administrator of range(0) funds (Fundos): the
// declaration and its items.
std::pair<TPruv*, int> Medida(benchmark::State& Estado, bool Fundos)
{
    const int n = static_cast<int>(Estado.range(0));
    if (!Fundos)
        return {&Programa().Declaracao(n), n};
    Estado.counters["fundos"] = n;
    return {&Programa().Administradora(n), n * ItensPorFundo};
}

void GeraEntrega(benchmark::State& Estado, bool Fundos)
{
    TPrograma& programa = Programa();
    const auto [declaracao, itens] = Medida(Estado, Fundos);
    TPruv& pruv = *declaracao;
    const QStringList chaves{Ano + pruv.GetDeclarante().GetNi().left(12)};
    const TVolume volume = TVolumes::Lista().first();
    for (auto _ : Estado) {
        QDir(volume.Raiz + QStringLiteral("/Declaracoes Gravadas XEQ")).removeRecursively();
        const qint64 antes = MemoriaKiB("VmRSS");
        ZeraPico();
        TGaugeMarcador gauge;
        const TCronometro cronometro;
        TArquivoPruv writer;
        TPedidoGeracao pedido;
        pedido.GaugeCompactacao = &gauge;
        pedido.Chaves = chaves;
        pedido.Volume = volume;
        pedido.Uf = QStringLiteral("SP");
        // A fund's lines: its own, and a value and a total line for each of its items.
        pedido.Registros = Fundos ? itens / ItensPorFundo * (1 + 2 * ItensPorFundo) + 3 : itens;
        const std::uint8_t r = writer.Gera(pruv, *programa.colecao, pedido).Codigo;
        const double projeto = cronometro.Segundos();
        if (r != ResultadoEntrega::Ok) {
            Estado.SkipWithError("the delivery file was not written");
            return;
        }
        const qint64 pico = std::max(gauge.PicoEscrita, MemoriaKiB("VmHWM")) - antes;
        const double piso = PisoEscrita(programa.Banco(), pruv.GetChave(), programa.pasta.path(), Fundos);
        Estado.SetIterationTime(projeto);
        Relata(Estado, itens, projeto, piso, pico);
        Estado.counters["escrita_MiB"] = static_cast<double>(gauge.PicoEscrita - antes) / 1024.0;
    }
}

void BM_GeraEntrega(benchmark::State& Estado)
{
    GeraEntrega(Estado, false);
}

void BM_AdministradoraGeraEntrega(benchmark::State& Estado)
{
    GeraEntrega(Estado, true);
}

// ---- reading every item ----

// The floor of the walks over every item, read as the program reads at its leanest: one SELECT of
// the declaration's items in key order joined with their judicial values, and each item's
// beneficiary fetched by a prepared SELECT once per run of its items (the next item of the same
// beneficiary takes it again), on a connection of its own with the program's settings. Each
// column is read once, by its declared type (texts by their bytes, money as integers summed per
// column in plain C++), the judicial columns only when the row has a judicial row, as the program
// reads them. The seconds it took; Linhas receives the items read.
double PisoLeitura(const QString& Banco, const QString& Chave, int& Linhas, bool Fundos = false)
{
    sqlite3* conexao = nullptr;
    sqlite3_open_v2(QFile::encodeName(Banco).constData(), &conexao, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                    nullptr);
    sqlite3_exec(conexao, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    const TCronometro cronometro;
    sqlite3_stmt* consulta = nullptr;
    const QByteArray selecao =
        QByteArray("SELECT i.*, j.* FROM PruvItem i "
                   "LEFT JOIN Judicial j ON j.IN_ANEXO = i.IN_ANEXO AND j.\"E_PRUV/ANEXO_DK\" = i.\"E_PRUV/ANEXO_DK\" "
                   "AND j.PRUV_ITEM_DK = i.PRUV_ITEM_DK ")
        + (Fundos ? "WHERE i.E_PRUV_DK = ?1 AND i.IN_ANEXO = '1' ORDER BY i.\"E_PRUV/ANEXO_DK\", i.PRUV_ITEM_DK"
                  : "WHERE i.IN_ANEXO = '0' AND i.\"E_PRUV/ANEXO_DK\" = ?1 ORDER BY i.PRUV_ITEM_DK");
    sqlite3_prepare_v2(conexao, selecao.constData(), -1, &consulta, nullptr);
    sqlite3_stmt* beneficiario = nullptr;
    sqlite3_prepare_v2(conexao,
                       "SELECT IN_PF_PJ, NR_PF_PJ, NM_NM_EMPR FROM Benef WHERE E_PRUV_DK = ?1 AND IN_PF_PJ = ?2 "
                       "AND NR_PF_PJ = ?3",
                       -1, &beneficiario, nullptr);
    const QByteArray chave = Chave.toUtf8();
    sqlite3_bind_text(consulta, 1, chave.constData(), -1, SQLITE_STATIC);
    sqlite3_bind_text(beneficiario, 1, chave.constData(), -1, SQLITE_STATIC);
    const int colunas = sqlite3_column_count(consulta);
    // The columns' kinds from the schema, once: the judicial columns begin where IN_ANEXO comes
    // again; the item's beneficiary is in its kind and number columns.
    std::vector<char> texto(static_cast<std::size_t>(colunas), 0);
    int judicial = colunas;
    int tipo = 0;
    int numero = 0;
    for (int c = 0; c < colunas; ++c) {
        const char* declarado = sqlite3_column_decltype(consulta, c);
        texto[static_cast<std::size_t>(c)] = declarado == nullptr || qstrnicmp(declarado, "TEXT", 4) == 0;
        const char* nome = sqlite3_column_name(consulta, c);
        if (c > 0 && judicial == colunas && qstrcmp(nome, "IN_ANEXO") == 0)
            judicial = c;
        if (judicial == colunas && qstrcmp(nome, "E_IN_PF_PJ") == 0)
            tipo = c;
        if (judicial == colunas && qstrcmp(nome, "E_NR_PF_PJ") == 0)
            numero = c;
    }
    std::vector<qint64> somas(static_cast<std::size_t>(colunas), 0);
    qint64 bytes = 0;
    const auto le = [&](int de, int ate) {
        for (int c = de; c < ate; ++c) {
            if (texto[static_cast<std::size_t>(c)]) {
                const unsigned char* t = sqlite3_column_text(consulta, c);
                bytes += (t ? *t : 0) + sqlite3_column_bytes(consulta, c);
            } else {
                somas[static_cast<std::size_t>(c)] += sqlite3_column_int64(consulta, c);
            }
        }
    };
    std::string tipoAnterior, numeroAnterior;
    bool temAnterior = false;
    Linhas = 0;
    while (sqlite3_step(consulta) == SQLITE_ROW) {
        ++Linhas;
        le(0, judicial);
        if (judicial < colunas && sqlite3_column_type(consulta, judicial) != SQLITE_NULL)
            le(judicial, colunas);
        const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(consulta, tipo));
        const auto* n = reinterpret_cast<const char*>(sqlite3_column_text(consulta, numero));
        const int tamanhoT = sqlite3_column_bytes(consulta, tipo);
        const int tamanhoN = sqlite3_column_bytes(consulta, numero);
        if (temAnterior && tipoAnterior.compare(0, std::string::npos, t, static_cast<std::size_t>(tamanhoT)) == 0
            && numeroAnterior.compare(0, std::string::npos, n, static_cast<std::size_t>(tamanhoN)) == 0)
            continue;   // the same beneficiary: already read
        tipoAnterior.assign(t, static_cast<std::size_t>(tamanhoT));
        numeroAnterior.assign(n, static_cast<std::size_t>(tamanhoN));
        temAnterior = true;
        sqlite3_bind_text(beneficiario, 2, tipoAnterior.data(), tamanhoT, SQLITE_STATIC);
        sqlite3_bind_text(beneficiario, 3, numeroAnterior.data(), tamanhoN, SQLITE_STATIC);
        if (sqlite3_step(beneficiario) == SQLITE_ROW) {
            for (int c = 0; c < 3; ++c)
                bytes += sqlite3_column_bytes(beneficiario, c) + *sqlite3_column_text(beneficiario, c);
        }
        sqlite3_reset(beneficiario);
    }
    sqlite3_finalize(beneficiario);
    sqlite3_finalize(consulta);
    const double segundos = cronometro.Segundos();
    sqlite3_close(conexao);
    benchmark::DoNotOptimize(somas.data());
    benchmark::DoNotOptimize(bytes);
    return segundos;
}

double PisoLeitura(TPrograma& Programa, TPruv& Pruv, int Itens, bool Fundos = false)
{
    int linhas = 0;
    const double segundos = PisoLeitura(Programa.Banco(), Pruv.GetChave(), linhas, Fundos);
    if (linhas != Itens)
        throw std::runtime_error("the floor read other rows");
    return segundos;
}

// ---- verify ----

void Verifica(benchmark::State& Estado, bool Fundos)
{
    TPrograma& programa = Programa();
    const auto [declaracao, itens] = Medida(Estado, Fundos);
    TPruv& pruv = *declaracao;
    for (auto _ : Estado) {
        const qint64 antes = MemoriaKiB("VmRSS");
        ZeraPico();
        const TCronometro cronometro;
        TErros erros;
        TVerificacaoMuda frame;
        int verificados = 0;
        pruv.Verifica(erros, frame, verificados);
        const double projeto = cronometro.Segundos();
        const qint64 pico = MemoriaKiB("VmHWM") - antes;
        if (verificados != itens) {
            Estado.SkipWithError("not every item was verified");
            return;
        }
        const double piso = PisoLeitura(programa, pruv, itens, Fundos);
        Estado.SetIterationTime(projeto);
        Relata(Estado, itens, projeto, piso, pico);
    }
}

void BM_Verifica(benchmark::State& Estado)
{
    Verifica(Estado, false);
}

void BM_AdministradoraVerifica(benchmark::State& Estado)
{
    Verifica(Estado, true);
}

// ---- the summary ----

// The computation that "Atualizar resumo" shows in its window, without the window: a gauge that
// only keeps its position stands in for the window's.
void Resumo(benchmark::State& Estado, bool Fundos)
{
    TPrograma& programa = Programa();
    const auto [declaracao, itens] = Medida(Estado, Fundos);
    TPruv& pruv = *declaracao;
    for (auto _ : Estado) {
        pruv.GetResumo().SetOK(false);
        TGaugeMarcador gauge;
        TRecalculoResumos recalculo(pruv);
        const qint64 antes = MemoriaKiB("VmRSS");
        ZeraPico();
        const TCronometro cronometro;
        recalculo.Executa(gauge);
        const double projeto = cronometro.Segundos();
        const qint64 pico = MemoriaKiB("VmHWM") - antes;
        if (!pruv.GetResumo().GetOK()
            || pruv.GetResumo().TOT_BENEF().GetValor() != qint64(itens) * TMonetario::Escala) {
            Estado.SkipWithError("the summary did not count every item");
            return;
        }
        const double piso = PisoLeitura(programa, pruv, itens, Fundos);
        Estado.SetIterationTime(projeto);
        Relata(Estado, itens, projeto, piso, pico);
    }
}

void BM_Resumo(benchmark::State& Estado)
{
    Resumo(Estado, false);
}

void BM_AdministradoraResumo(benchmark::State& Estado)
{
    Resumo(Estado, true);
}

// ---- the declaration report ----

// The pages of a PDF file as its writer lays them out: one "/Type /Page" object each.
int PaginasPdf(const QString& Arquivo)
{
    QFile pdf(Arquivo);
    if (!pdf.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray bytes = pdf.readAll();
    int paginas = 0;
    for (qsizetype i = bytes.indexOf("/Type /Page"); i >= 0; i = bytes.indexOf("/Type /Page", i + 1))
        paginas += bytes.size() > i + 11 && bytes.at(i + 11) != 's';
    return paginas;
}

// Printed as the program prints it without a printer: batch after batch, each a PDF file.
void BM_RelatorioDeclaracao(benchmark::State& Estado)
{
    const int itens = static_cast<int>(Estado.range(0));
    TPrograma& programa = Programa();
    TPruv& pruv = programa.Declaracao(itens);
    const QString pasta = programa.pasta.path() + QStringLiteral("/pdf");
    for (auto _ : Estado) {
        QDir(pasta).removeRecursively();
        QDir().mkpath(pasta);
        const ImpressorasSimuladas impressoras(pasta);
        const qint64 antes = MemoriaKiB("VmRSS");
        ZeraPico();
        const TCronometro cronometro;
        {
            TFoRelatoDeclaracao relato(pruv, *programa.colecao);
            if (!relato.Imprime()) {
                Estado.SkipWithError("the report was not printed");
                return;
            }
        }
        const double projeto = cronometro.Segundos();
        const qint64 pico = MemoriaKiB("VmHWM") - antes;
        int paginas = 0;
        for (const QString& arquivo : impressoras.Arquivos())
            paginas += PaginasPdf(arquivo);
        Estado.SetIterationTime(projeto);
        Relata(Estado, itens, projeto, 0, pico);
        Estado.counters["paginas"] = paginas;
        Estado.counters["paginas/s"] = projeto > 0 ? paginas / projeto : 0;
        Estado.counters["arquivos"] = static_cast<double>(impressoras.Arquivos().size());
    }
}

}   // namespace

// The 1,000,000-item case runs last in each, beside the others; --benchmark_filter='/(10000|100000)/'
// leaves it out, and the larger ones.
#define TAMANHOS ->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseManualTime()
// The save and the import with one name for all (0) and a name for each beneficiary (1).
#define TAMANHOS_NOMES ->ArgsProduct({{10000, 100000, 1000000}, {0, 1}})->Unit(benchmark::kMillisecond)->UseManualTime()
BENCHMARK(BM_SalvaSomenteInsercao) TAMANHOS_NOMES->Iterations(1);
// The import also at 2,000,000 items (2,200,000 lines), for its peak memory.
BENCHMARK(BM_ImportaNova) TAMANHOS_NOMES->Args({2000000, 0})->Iterations(1);
// The delivery file also at 2,000,000 items, for its peak memory.
BENCHMARK(BM_GeraEntrega) TAMANHOS->Arg(2000000)->Iterations(1);
BENCHMARK(BM_Verifica) TAMANHOS->Iterations(1);
BENCHMARK(BM_Resumo) TAMANHOS->Iterations(1);
// The fund administrator, by funds of five items: 10,000 and 40,000 items.
#define FUNDOS ->Arg(2000)->Arg(8000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1)
BENCHMARK(BM_AdministradoraVerifica) FUNDOS;
BENCHMARK(BM_AdministradoraResumo) FUNDOS;
BENCHMARK(BM_AdministradoraGeraEntrega) FUNDOS;
BENCHMARK(BM_RelatorioDeclaracao)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacao(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
