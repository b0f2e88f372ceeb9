// Walking a table of 10,000 and of 100,000 rows through the table cursor, beside the same walk
// in raw SQLite measured in the same run: the cursor's time, the floor's, their ratio and the
// cursor's peak memory. The floor steps one SELECT of the same columns in the index's order (with
// the filter's condition in its WHERE when filtered) on the program's own connection, so the
// same file, schema, indexes, rollback journal and synchronous=FULL, reading every column (texts
// into QString, as the cursor gives them).
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <QtEndian>
#include <map>
#include <memory>
#include <sqlite3.h>

#include "MedidaBench.h"
#include "platform/db/cursors/CanExpr.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/datasets/TTable.h"
#include "platform/db/sqlite/TTransacao.h"

namespace {

using namespace MedidaBench;

constexpr int Meses = 13;

// One data folder per size with the table for the whole run: 7 text columns and 13 money
// columns, one group in ten.
struct TBase {
    QTemporaryDir pasta;
    std::shared_ptr<TDatabase> banco;

    explicit TBase(int Linhas)
    {
        banco = TDatabase::DaPasta(pasta.path());
        std::vector<TFieldDef> campos = {
            {QStringLiteral("IN_ANEXO"), ftString, 1}, {QStringLiteral("DONO"), ftString, 5},
            {QStringLiteral("ITEM"), ftString, 7},     {QStringLiteral("CODIGO"), ftString, 4},
            {QStringLiteral("TIPO"), ftString, 1},     {QStringLiteral("NUMERO"), ftString, 12},
            {QStringLiteral("GRUPO"), ftString, 2}};
        for (int m = 1; m <= Meses; ++m)
            campos.push_back({QStringLiteral("REND%1").arg(m), ftCurrency});
        TTable tabela;
        tabela.SetDatabaseName(pasta.path());
        tabela.SetTableName(QStringLiteral("PruvItem.DB"));
        tabela.CreateTable(
            campos,
            {{QString(), QStringLiteral("IN_ANEXO;DONO;ITEM"), TIndexOption::ixPrimary},
             {QStringLiteral("ICodigo"), QStringLiteral("CODIGO;TIPO;NUMERO"), TIndexOption::ixCaseInsensitive}});
        QStringList marcadores;
        for (std::size_t i = 0; i < campos.size(); ++i)
            marcadores << QStringLiteral("?");
        TTransacao t(*banco);
        TComando insere(banco->Conexao(),
                        QStringLiteral("INSERT INTO PruvItem VALUES (%1)").arg(marcadores.join(QLatin1Char(','))));
        for (int i = 0; i < Linhas; ++i) {
            insere.Reinicia();
            insere.LigaTexto(1, QStringLiteral("0"));
            insere.LigaTexto(2, QStringLiteral("%1").arg(i / 1000 + 1, 5, 10, QLatin1Char('0')));
            insere.LigaTexto(3, QStringLiteral("%1").arg(i % 1000 + 1, 7, 10, QLatin1Char('0')));
            insere.LigaTexto(4, QStringLiteral("%1").arg(561 + (i * 7) % 50, 4, 10, QLatin1Char('0')));
            insere.LigaTexto(5, QStringLiteral("1"));
            insere.LigaTexto(6, QStringLiteral("%1").arg(i * 37 % 999999999, 9, 10, QLatin1Char('0')));
            insere.LigaTexto(7, QStringLiteral("G%1").arg(i % 10));
            for (int m = 1; m <= Meses; ++m)
                insere.LigaInteiro(7 + m, static_cast<qint64>(i) * 10000 + m);
            banco->Escreve(insere);
        }
        t.Confirma();
    }

    static TBase& De(int Linhas)
    {
        static std::map<int, std::unique_ptr<TBase>> bases;
        auto& base = bases[Linhas];
        if (!base)
            base = std::make_unique<TBase>(Linhas);
        return *base;
    }
};

// GRUPO = "G3" in the engine's serialised form.
QByteArray FiltroGrupo()
{
    const QByteArray nome("GRUPO\0", 6);
    const QByteArray valor("G3\0", 3);
    QByteArray b(10 + 3 * 14, '\0');
    auto palavra = [&](int p, int v) { qToLittleEndian<quint16>(static_cast<quint16>(v), b.data() + p); };
    auto dupla = [&](int p, quint32 v) { qToLittleEndian<quint32>(v, b.data() + p); };
    palavra(0, 1);
    palavra(2, 10 + 42 + nome.size() + valor.size());
    palavra(4, 3);
    palavra(6, 10);
    palavra(8, 52);
    dupla(10, CanExpr::nodeBINARY), dupla(14, CanExpr::canEQ), palavra(18, 28), palavra(20, 14);
    dupla(24, CanExpr::nodeCONST), dupla(28, CanExpr::canCONST2), palavra(32, CanExpr::fldZSTRING), palavra(34, 3),
        palavra(36, 6);
    dupla(38, CanExpr::nodeFIELD), dupla(42, CanExpr::canFIELD2), palavra(46, 1), palavra(48, 0);
    return b + nome + valor;
}

// Reads every column of the current record as the model would.
qint64 LeRegistro(TTable& tabela)
{
    qint64 soma = 0;
    for (int i = 0; i < 7; ++i)
        soma += tabela.Fields(i)->AsString().size();
    for (int m = 0; m < Meses; ++m)
        soma += tabela.Fields(7 + m)->AsFixed4();
    return soma;
}

// Walks the whole table through the cursor; the rows read. Not inlined, nor is the floor, so that
// an instruction profile (callgrind) gives each its own total.
[[gnu::noinline]] int CaminhaCursor(TTable& tabela)
{
    qint64 soma = 0;
    int linhas = 0;
    for (tabela.First(); !tabela.Eof(); tabela.Next()) {
        soma += LeRegistro(tabela);
        ++linhas;
    }
    benchmark::DoNotOptimize(soma);
    return linhas;
}

// The same rows by the same SELECT stepped raw, in the order given, filtered by GRUPO when asked.
[[gnu::noinline]] int CaminhaSqlite(sqlite3* conexao, const char* ordem, bool filtra)
{
    QByteArray sql = "SELECT IN_ANEXO,DONO,ITEM,CODIGO,TIPO,NUMERO,GRUPO";
    for (int m = 1; m <= Meses; ++m)
        sql += ",REND" + QByteArray::number(m);
    sql += " FROM PruvItem";
    if (filtra)
        sql += " WHERE GRUPO = ?1";
    sql += " ORDER BY ";
    sql += ordem;
    sqlite3_stmt* comando = nullptr;
    sqlite3_prepare_v2(conexao, sql.constData(), -1, &comando, nullptr);
    if (filtra)
        sqlite3_bind_text(comando, 1, "G3", -1, SQLITE_STATIC);
    qint64 soma = 0;
    int linhas = 0;
    while (sqlite3_step(comando) == SQLITE_ROW) {
        for (int i = 0; i < 7; ++i)
            soma += QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(comando, i)),
                                      sqlite3_column_bytes(comando, i))
                        .size();
        for (int m = 0; m < Meses; ++m)
            soma += sqlite3_column_int64(comando, 7 + m);
        ++linhas;
    }
    sqlite3_finalize(comando);
    benchmark::DoNotOptimize(soma);
    return linhas;
}

enum class TFiltro { Nenhum, Expressao, Callback };

const char* OrdemPrimariaSql()
{
    return "IN_ANEXO,DONO,ITEM";
}

// A table over the index, opened with the filter, not yet walked.
std::unique_ptr<TTable> AbreTabela(TBase& base, const char* indice, TFiltro filtro)
{
    auto tabela = std::make_unique<TTable>();
    tabela->SetDatabaseName(base.pasta.path());
    tabela->SetTableName(QStringLiteral("pruvitem"));
    tabela->SetIndexName(QString::fromLatin1(indice));
    tabela->Open();
    TTable* t = tabela.get();
    if (filtro == TFiltro::Expressao)
        t->ActivateFilter(t->AddFilterExpression(FiltroGrupo()));
    if (filtro == TFiltro::Callback)
        t->ActivateFilter(t->AddFilterCallback([t] { return t->Fields(6)->AsString() == QLatin1String("G3"); }));
    return tabela;
}

// The floor's seconds, beside the rows it read; false when they are not the cursor's.
bool Piso(benchmark::State& estado, TBase& base, const char* ordemSql, bool filtra, int linhas, double& segundos)
{
    const TCronometro cronometro;
    const int linhasPiso = CaminhaSqlite(base.banco->Conexao(), ordemSql, filtra);
    segundos = cronometro.Segundos();
    if (linhas != linhasPiso) {
        estado.SkipWithError("the cursor and the floor read different rows");
        return false;
    }
    return true;
}

// The cursor over the index, with the filter; the floor: the raw SELECT in the index's order.
void Caminha(benchmark::State& estado, const char* indice, TFiltro filtro, const char* ordemSql)
{
    const int total = static_cast<int>(estado.range(0));
    TBase& base = TBase::De(total);
    const std::unique_ptr<TTable> tabela = AbreTabela(base, indice, filtro);
    // Not measured: the first walk of an open table learns which columns its filter reads, and
    // the statements that hand those columns over are prepared by the walk after it; a single
    // measured walk (an instruction profile) then counts the walks that follow, as the repeated
    // ones of a timed run do. BM_FirstWalk times the first ones.
    for (int vez = 0; vez < 2; ++vez)
        for (tabela->First(); !tabela->Eof(); tabela->Next()) {}
    for (auto _ : estado) {
        const qint64 antes = MemoriaKiB("VmRSS");
        ZeraPico();
        const TCronometro cronometro;
        const int linhas = CaminhaCursor(*tabela);
        const double projeto = cronometro.Segundos();
        const qint64 pico = MemoriaKiB("VmHWM") - antes;
        double piso = 0;
        if (!Piso(estado, base, ordemSql, filtro != TFiltro::Nenhum, linhas, piso))
            return;
        estado.SetIterationTime(projeto);
        Relata(estado, linhas, projeto, piso, pico);
        estado.counters["rows"] = linhas;
    }
}

// The first walk of a table, apart from the others in an instruction profile.
[[gnu::noinline]] int CaminhaPrimeiraVez(TTable& tabela)
{
    const int linhas = CaminhaCursor(tabela);
    benchmark::ClobberMemory();
    return linhas;
}

// The walks a clerk makes: a table just opened with a record filter, walked the first time and
// then the second, each beside the floor walked right after it. The table is opened anew for each
// pair, unmeasured; the figure is the first walk's, "razao_segunda" the second's ratio.
[[gnu::noinline]] void CaminhaPrimeiras(benchmark::State& estado)
{
    const int total = static_cast<int>(estado.range(0));
    TBase& base = TBase::De(total);
    for (auto _ : estado) {
        const std::unique_ptr<TTable> tabela = AbreTabela(base, "", TFiltro::Callback);
        // One walk timed, then the floor right after it; the rows, -1 when the floor read others.
        const auto par = [&](int (*caminha)(TTable&), double& projeto, double& piso) {
            const TCronometro cronometro;
            const int linhas = caminha(*tabela);
            projeto = cronometro.Segundos();
            return Piso(estado, base, OrdemPrimariaSql(), true, linhas, piso) ? linhas : -1;
        };
        double primeira = 0;
        double piso = 0;
        double segunda = 0;
        double pisoSegunda = 0;
        const int linhas = par(&CaminhaPrimeiraVez, primeira, piso);
        if (linhas < 0 || par(&CaminhaCursor, segunda, pisoSegunda) < 0)
            return;
        estado.SetIterationTime(primeira);
        Relata(estado, linhas, primeira, piso, 0);
        estado.counters["razao_segunda"] = pisoSegunda > 0 ? segunda / pisoSegunda : 0;
        estado.counters["rows"] = linhas;
    }
}

const char* const OrdemPrimaria = OrdemPrimariaSql();

void BM_PrimaryIndex(benchmark::State& s)
{
    Caminha(s, "", TFiltro::Nenhum, OrdemPrimaria);
}
void BM_SecondaryIndex(benchmark::State& s)
{
    Caminha(s, "ICodigo", TFiltro::Nenhum, "\"CODIGO$ci\",\"TIPO$ci\",\"NUMERO$ci\",IN_ANEXO,DONO,ITEM");
}
void BM_ExpressionFilter(benchmark::State& s)
{
    Caminha(s, "", TFiltro::Expressao, OrdemPrimaria);
}
void BM_CallbackFilter(benchmark::State& s)
{
    Caminha(s, "", TFiltro::Callback, OrdemPrimaria);
}
void BM_FirstWalk(benchmark::State& s)
{
    CaminhaPrimeiras(s);
}

}   // namespace

BENCHMARK(BM_PrimaryIndex)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_SecondaryIndex)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ExpressionFilter)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_CallbackFilter)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_FirstWalk)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseManualTime();

BENCHMARK_MAIN();
