#include "MedidaBench.h"

#include <QFile>
#include <benchmark/benchmark.h>
#include <cstring>
#include <sqlite3.h>
#include <stdexcept>

#include "platform/db/sqlite/TDatabase.h"

namespace MedidaBench {

namespace {

void Executa(sqlite3* Conexao, const char* Sql)
{
    char* erro = nullptr;
    if (sqlite3_exec(Conexao, Sql, nullptr, nullptr, &erro) != SQLITE_OK) {
        const std::string texto = erro ? erro : "sqlite3_exec";
        sqlite3_free(erro);
        throw std::runtime_error(texto);
    }
}

sqlite3* Abre(const QString& Arquivo)
{
    sqlite3* conexao = nullptr;
    // Without the connection's mutex, as the program opens its own: a floor that takes a lock on
    // every call would flatter the program.
    if (sqlite3_open_v2(QFile::encodeName(Arquivo).constData(), &conexao,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr)
        != SQLITE_OK) {
        sqlite3_close(conexao);
        throw std::runtime_error("cannot open " + Arquivo.toStdString());
    }
    RegistraColacaoPiso(conexao);
    return conexao;
}

sqlite3_stmt* Prepara(sqlite3* Conexao, const QByteArray& Sql)
{
    sqlite3_stmt* comando = nullptr;
    if (sqlite3_prepare_v2(Conexao, Sql.constData(), -1, &comando, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(Conexao));
    return comando;
}

template <typename T> void Acrescenta(QByteArray& Destino, T Valor)
{
    Destino.append(reinterpret_cast<const char*>(&Valor), sizeof Valor);
}

template <typename T> T Le(const char*& Cursor)
{
    T valor;
    std::memcpy(&valor, Cursor, sizeof valor);
    Cursor += sizeof valor;
    return valor;
}

// ASCII letters folded to capitals byte by byte, then the bytes themselves: the order of the
// program's names for the ASCII names the benchmarks store, at what a comparison costs in plain C.
int ComparaNomesPiso(void*, int TamanhoA, const void* A, int TamanhoB, const void* B)
{
    const auto* a = static_cast<const unsigned char*>(A);
    const auto* b = static_cast<const unsigned char*>(B);
    const int comum = TamanhoA < TamanhoB ? TamanhoA : TamanhoB;
    int bytes = 0;
    for (int i = 0; i < comum; ++i) {
        if (a[i] == b[i])
            continue;
        const int x = a[i] >= 'a' && a[i] <= 'z' ? a[i] - ('a' - 'A') : a[i];
        const int y = b[i] >= 'a' && b[i] <= 'z' ? b[i] - ('a' - 'A') : b[i];
        if (x != y)
            return x - y;
        if (bytes == 0)
            bytes = a[i] - b[i];
    }
    return TamanhoA != TamanhoB ? TamanhoA - TamanhoB : bytes;
}

}   // namespace

void RegistraColacaoPiso(sqlite3* Conexao)
{
    sqlite3_create_collation_v2(Conexao, TDatabase::ColacaoNomes, SQLITE_UTF8, nullptr, &ComparaNomesPiso, nullptr);
}

QString Letras(int Numero)
{
    static const char* const Silabas[] = {"BA", "CE", "DI", "FO", "GU", "LA", "ME", "NI", "PO", "RU"};
    QString letras;
    for (int i = 0; i < 7; ++i, Numero /= 10)
        letras.prepend(QLatin1String(Silabas[Numero % 10]));
    return letras;
}

qint64 MemoriaKiB(const char* Campo)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray campo = QByteArray(Campo) + ':';
    for (const QByteArray& linha : status.readAll().split('\n'))
        if (linha.startsWith(campo))
            return linha.mid(campo.size()).trimmed().split(' ').first().toLongLong();
    return -1;
}

void ZeraPico()
{
    QFile limpa(QStringLiteral("/proc/self/clear_refs"));
    if (limpa.open(QIODevice::WriteOnly))
        limpa.write("5");
}

void Relata(benchmark::State& Estado, int Itens, double ProjetoS, double PisoS, qint64 PicoKiB)
{
    Estado.counters["projeto_s"] = ProjetoS;
    Estado.counters["piso_s"] = PisoS;
    Estado.counters["razao"] = PisoS > 0 ? ProjetoS / PisoS : 0;
    Estado.counters["pico_MiB"] = static_cast<double>(PicoKiB) / 1024.0;
    Estado.counters["itens/s"] = ProjetoS > 0 ? Itens / ProjetoS : 0;
}

TLinhasGuardadas::TLinhasGuardadas(const QString& Banco, const std::vector<std::pair<QString, QString>>& TabelasOnde,
                                   const QString& Chave)
{
    const QByteArray chave = Chave.toUtf8();
    sqlite3* origem = Abre(Banco);
    try {
        for (const auto& [nome, onde] : TabelasOnde) {
            TTabela t;
            t.Nome = nome.toUtf8();
            sqlite3_stmt* esquema = Prepara(origem,
                                            "SELECT sql FROM sqlite_schema WHERE tbl_name = ?1 AND sql IS NOT NULL "
                                            "ORDER BY type = 'index', name");
            sqlite3_bind_text(esquema, 1, t.Nome.constData(), -1, SQLITE_STATIC);
            while (sqlite3_step(esquema) == SQLITE_ROW)
                t.Esquema.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(esquema, 0)));
            sqlite3_finalize(esquema);
            // In the order of the table's key, which is the order the program stored them in: the
            // same rows in another order would touch the indexes' pages otherwise.
            QByteArray ordem;
            sqlite3_stmt* chaves = Prepara(origem, "SELECT name FROM pragma_table_info(?1) WHERE pk > 0 ORDER BY pk");
            sqlite3_bind_text(chaves, 1, t.Nome.constData(), -1, SQLITE_STATIC);
            while (sqlite3_step(chaves) == SQLITE_ROW)
                ordem += (ordem.isEmpty() ? " ORDER BY \"" : ", \"")
                    + QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(chaves, 0))) + '"';
            sqlite3_finalize(chaves);
            if (ordem.isEmpty())
                ordem = " ORDER BY rowid";
            sqlite3_stmt* linhas = Prepara(origem,
                                           "SELECT * FROM \"" + t.Nome + '"'
                                               + (onde.isEmpty() ? QByteArray() : " WHERE " + onde.toUtf8()) + ordem);
            if (!onde.isEmpty())
                sqlite3_bind_text(linhas, 1, chave.constData(), -1, SQLITE_STATIC);
            t.Colunas = sqlite3_column_count(linhas);
            while (sqlite3_step(linhas) == SQLITE_ROW) {
                ++t.Linhas;
                for (int c = 0; c < t.Colunas; ++c) {
                    const int tipo = sqlite3_column_type(linhas, c);
                    t.Valores.append(static_cast<char>(tipo));
                    if (tipo == SQLITE_INTEGER) {
                        Acrescenta(t.Valores, static_cast<qint64>(sqlite3_column_int64(linhas, c)));
                    } else if (tipo == SQLITE_FLOAT) {
                        Acrescenta(t.Valores, sqlite3_column_double(linhas, c));
                    } else if (tipo != SQLITE_NULL) {
                        const char* texto = static_cast<const char*>(sqlite3_column_blob(linhas, c));
                        const int tamanho = sqlite3_column_bytes(linhas, c);
                        Acrescenta(t.Valores, tamanho);
                        t.Valores.append(texto, tamanho);
                    }
                }
            }
            sqlite3_finalize(linhas);
            FTabelas.push_back(std::move(t));
        }
    } catch (...) {
        sqlite3_close(origem);
        throw;
    }
    sqlite3_close(origem);
}

qint64 TLinhasGuardadas::Linhas() const
{
    qint64 n = 0;
    for (const TTabela& t : FTabelas)
        n += t.Linhas;
    return n;
}

double TLinhasGuardadas::InsereEm(const QString& Destino, const QString& Origem) const
{
    QFile::remove(Destino);
    if (!Origem.isEmpty() && !QFile::copy(Origem, Destino))
        throw std::runtime_error("cannot copy " + Origem.toStdString());
    sqlite3* destino = Abre(Destino);
    double segundos = 0;
    try {
        Executa(destino, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL");
        if (Origem.isEmpty())
            for (const TTabela& t : FTabelas)
                for (const QByteArray& sql : t.Esquema)
                    Executa(destino, sql.constData());
        const TCronometro cronometro;
        Executa(destino, "BEGIN IMMEDIATE");
        for (const TTabela& t : FTabelas) {
            QByteArray sql = "INSERT INTO \"" + t.Nome + "\" VALUES (?";
            for (int c = 1; c < t.Colunas; ++c)
                sql += ",?";
            sqlite3_stmt* insere = Prepara(destino, sql + ')');
            const char* cursor = t.Valores.constData();
            for (qint64 l = 0; l < t.Linhas; ++l) {
                sqlite3_reset(insere);
                for (int c = 1; c <= t.Colunas; ++c) {
                    const int tipo = *cursor++;
                    if (tipo == SQLITE_INTEGER) {
                        sqlite3_bind_int64(insere, c, Le<qint64>(cursor));
                    } else if (tipo == SQLITE_FLOAT) {
                        sqlite3_bind_double(insere, c, Le<double>(cursor));
                    } else if (tipo == SQLITE_NULL) {
                        sqlite3_bind_null(insere, c);
                    } else {
                        const int tamanho = Le<int>(cursor);
                        if (tipo == SQLITE_TEXT)
                            sqlite3_bind_text(insere, c, cursor, tamanho, SQLITE_STATIC);
                        else
                            sqlite3_bind_blob(insere, c, cursor, tamanho, SQLITE_STATIC);
                        cursor += tamanho;
                    }
                }
                if (sqlite3_step(insere) != SQLITE_DONE) {
                    sqlite3_finalize(insere);
                    throw std::runtime_error(sqlite3_errmsg(destino));
                }
            }
            sqlite3_finalize(insere);
        }
        Executa(destino, "COMMIT");
        segundos = cronometro.Segundos();
    } catch (...) {
        sqlite3_close(destino);
        throw;
    }
    sqlite3_close(destino);
    QFile::remove(Destino);
    return segundos;
}

}   // namespace MedidaBench
