// Walking a table of 100,000 rows through the table cursor, beside the same walk in raw SQLite.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <QtEndian>
#include <memory>
#include <sqlite3.h>

#include "platform/db/CanExpr.h"
#include "platform/db/TComando.h"
#include "platform/db/TDatabase.h"
#include "platform/db/TTable.h"
#include "platform/db/TTransacao.h"

namespace {

constexpr int Linhas = 100000;
constexpr int Meses = 13;

// One data folder with the table for the whole run: 7 text columns and 13 money columns,
// one group in ten.
struct TBase {
    QTemporaryDir pasta;
    std::shared_ptr<TDatabase> banco;

    TBase()
    {
        banco = TDatabase::DaPasta(pasta.path());
        std::vector<TFieldDef> campos = {{QStringLiteral("IN_ANEXO"), ftString, 1},
                                         {QStringLiteral("DONO"), ftString, 5},
                                         {QStringLiteral("ITEM"), ftString, 7},
                                         {QStringLiteral("CODIGO"), ftString, 4},
                                         {QStringLiteral("TIPO"), ftString, 1},
                                         {QStringLiteral("NUMERO"), ftString, 12},
                                         {QStringLiteral("GRUPO"), ftString, 2}};
        for (int m = 1; m <= Meses; ++m)
            campos.push_back({QStringLiteral("REND%1").arg(m), ftCurrency});
        TTable tabela;
        tabela.SetDatabaseName(pasta.path());
        tabela.SetTableName(QStringLiteral("PruvItem.DB"));
        tabela.CreateTable(campos, {{QString(), QStringLiteral("IN_ANEXO;DONO;ITEM"), TIndexOption::ixPrimary},
                                    {QStringLiteral("ICodigo"), QStringLiteral("CODIGO;TIPO;NUMERO"), TIndexOption::ixCaseInsensitive}});
        QStringList marcadores;
        for (std::size_t i = 0; i < campos.size(); ++i)
            marcadores << QStringLiteral("?");
        TTransacao t(*banco);
        TComando insere(banco->Conexao(), QStringLiteral("INSERT INTO PruvItem VALUES (%1)").arg(marcadores.join(QLatin1Char(','))));
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

    static TBase& Uma()
    {
        static TBase base;
        return base;
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
    dupla(24, CanExpr::nodeCONST), dupla(28, CanExpr::canCONST2), palavra(32, CanExpr::fldZSTRING), palavra(34, 3), palavra(36, 6);
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

void Caminha(benchmark::State& estado, const char* indice, bool filtra, bool callback)
{
    TBase& base = TBase::Uma();
    TTable tabela;
    tabela.SetDatabaseName(base.pasta.path());
    tabela.SetTableName(QStringLiteral("pruvitem"));
    tabela.SetIndexName(QString::fromLatin1(indice));
    tabela.Open();
    if (filtra) {
        const int handle = tabela.AddFilterExpression(FiltroGrupo());
        tabela.ActivateFilter(handle);
    }
    if (callback) {
        const int handle = tabela.AddFilterCallback([&tabela] { return tabela.Fields(6)->AsString() == QLatin1String("G3"); });
        tabela.ActivateFilter(handle);
    }
    for (auto _ : estado) {
        qint64 soma = 0;
        int linhas = 0;
        for (tabela.First(); !tabela.Eof(); tabela.Next()) {
            soma += LeRegistro(tabela);
            ++linhas;
        }
        benchmark::DoNotOptimize(soma);
        estado.counters["rows"] = linhas;
    }
}

void CaminhaSqlite(benchmark::State& estado, const char* ordem, bool filtra)
{
    TBase& base = TBase::Uma();
    sqlite3* conexao = base.banco->Conexao();
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
    for (auto _ : estado) {
        sqlite3_reset(comando);
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
        benchmark::DoNotOptimize(soma);
        estado.counters["rows"] = linhas;
    }
    sqlite3_finalize(comando);
}

void BM_Cursor_PrimaryIndex(benchmark::State& s) { Caminha(s, "", false, false); }
void BM_Sqlite_PrimaryIndex(benchmark::State& s) { CaminhaSqlite(s, "IN_ANEXO,DONO,ITEM", false); }
void BM_Cursor_SecondaryIndex(benchmark::State& s) { Caminha(s, "ICodigo", false, false); }
void BM_Sqlite_SecondaryIndex(benchmark::State& s)
{
    CaminhaSqlite(s, "\"CODIGO$ci\",\"TIPO$ci\",\"NUMERO$ci\",IN_ANEXO,DONO,ITEM", false);
}
void BM_Cursor_ExpressionFilter(benchmark::State& s) { Caminha(s, "", true, false); }
void BM_Sqlite_Where(benchmark::State& s) { CaminhaSqlite(s, "IN_ANEXO,DONO,ITEM", true); }
void BM_Cursor_CallbackFilter(benchmark::State& s) { Caminha(s, "", false, true); }

}  // namespace

BENCHMARK(BM_Cursor_PrimaryIndex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sqlite_PrimaryIndex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Cursor_SecondaryIndex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sqlite_SecondaryIndex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Cursor_ExpressionFilter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sqlite_Where)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Cursor_CallbackFilter)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
