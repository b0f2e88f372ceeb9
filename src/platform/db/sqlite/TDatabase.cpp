#include "platform/db/sqlite/TDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <algorithm>
#include <atomic>
#include <exception>
#include <map>
#include <mutex>
#include <cerrno>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/files/PermissoesNovas.h"
#include "platform/files/TMotivoSistema.h"
#include "platform/db/sqlite/TEsquemaTabela.h"

namespace {

std::map<QString, std::weak_ptr<TDatabase>>& Abertos()
{
    static std::map<QString, std::weak_ptr<TDatabase>> abertos;
    return abertos;
}

bool emMemoria = false;
// The causes simulated for tests, the last one in force.
std::vector<TDatabase::TMotivoSomenteLeitura> simulacoes;

QString Savepoint(int nivel)
{
    return QStringLiteral("nivel%1").arg(nivel);
}

}   // namespace

QString TDatabase::NomeArquivo()
{
    return QStringLiteral("pruv2003.db");
}

std::shared_ptr<TDatabase> TDatabase::DaPasta(const QString& pasta)
{
    // Asked for at every table opened, nearly always for the folder of the last call: an absolute
    // folder names the same file whatever the working folder, so its database is taken straight
    // while it is open.
    static QString ultimaPasta;
    static std::weak_ptr<TDatabase> ultimo;
    if (pasta == ultimaPasta && pasta.startsWith(QLatin1Char('/'))) {
        if (auto banco = ultimo.lock())
            return banco;
    }
    auto banco = Abre(pasta);
    ultimaPasta = pasta;
    ultimo = banco;
    return banco;
}

std::shared_ptr<TDatabase> TDatabase::Abre(const QString& pasta)
{
    const QString arquivo = QDir::cleanPath(QFileInfo(pasta).absoluteFilePath() + QLatin1Char('/') + NomeArquivo());
    auto& abertos = Abertos();
    if (auto it = abertos.find(arquivo); it != abertos.end()) {
        if (auto banco = it->second.lock())
            return banco;
    }
    auto banco = std::make_shared<TDatabase>(arquivo);
    abertos[arquivo] = banco;
    return banco;
}

namespace {

// The names' order folds each UTF-16 unit to the first letter of its canonical decomposition
// ("É" is "E" and an acute accent), upper-cased. The units are folded a page of 256 at a time,
// on first use, into a table that lives as long as the program: a comparison then reads a table
// instead of asking Qt for a decomposition string per letter.
class TDobraNomes {
public:
    static char16_t Dobra(char16_t unidade)
    {
        const unsigned pagina = unidade >> 8;
        if (!FPronta[pagina].load(std::memory_order_acquire))
            Preenche(pagina);
        return FTabela[pagina][unidade & 0xFF];
    }

private:
    static void Preenche(unsigned pagina)
    {
        static std::mutex trava;
        const std::lock_guard guarda(trava);
        if (FPronta[pagina].load(std::memory_order_relaxed))
            return;
        for (unsigned i = 0; i < 256; ++i) {
            const QChar c(static_cast<char16_t>(pagina << 8 | i));
            const QString decomposto = c.decomposition();
            const QChar base = decomposto.isEmpty() || c.decompositionTag() != QChar::Canonical ? c
                                                                                                : decomposto.front();
            FTabela[pagina][i] = base.toUpper().unicode();
        }
        FPronta[pagina].store(true, std::memory_order_release);
    }

    static inline char16_t FTabela[256][256] = {};
    static inline std::atomic<bool> FPronta[256] = {};
};

char16_t DobraAscii(unsigned char c)
{
    return static_cast<char16_t>(c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c);
}

// The UTF-16 units of UTF-8 text, one at a time, as QString::fromUtf8 gives them: a byte order
// mark at the very start dropped, and each byte that begins no valid sequence (an overlong form,
// a surrogate, past U+10FFFF, cut short) read as one U+FFFD.
class TUnidadesUtf8 {
public:
    TUnidadesUtf8(std::string_view texto, std::size_t inicio)
        : FPos(reinterpret_cast<const unsigned char*>(texto.data()) + inicio)
        , FFim(reinterpret_cast<const unsigned char*>(texto.data()) + texto.size())
    {
        if (inicio == 0 && texto.size() >= 3 && texto.substr(0, 3) == "\xEF\xBB\xBF")
            FPos += 3;
    }

    bool Proxima(char16_t& unidade)
    {
        if (FBaixa != 0) {
            unidade = FBaixa;
            FBaixa = 0;
            return true;
        }
        if (FPos == FFim)
            return false;
        const unsigned char b = *FPos++;
        if (b < 0x80) {
            unidade = b;
            return true;
        }
        const char32_t c = Sequencia(b);
        if (c < 0x10000) {
            unidade = static_cast<char16_t>(c);
        } else {
            unidade = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            FBaixa = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
        return true;
    }

private:
    // The character that lead byte B begins, its continuation bytes taken; U+FFFD, nothing
    // taken, when they make no valid character.
    char32_t Sequencia(unsigned char b)
    {
        constexpr char32_t Substituto = 0xFFFD;
        int seguintes;
        char32_t minimo;
        char32_t c;
        if (b < 0xC2)
            return Substituto;
        if (b < 0xE0) {
            seguintes = 1;
            minimo = 0x80;
            c = b & 0x1F;
        } else if (b < 0xF0) {
            seguintes = 2;
            minimo = 0x800;
            c = b & 0x0F;
        } else if (b < 0xF5) {
            seguintes = 3;
            minimo = 0x10000;
            c = b & 0x07;
        } else {
            return Substituto;
        }
        if (FFim - FPos < seguintes)
            return Substituto;
        for (int i = 0; i < seguintes; ++i) {
            if ((FPos[i] & 0xC0) != 0x80)
                return Substituto;
            c = c << 6 | (FPos[i] & 0x3F);
        }
        if (c < minimo || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
            return Substituto;
        FPos += seguintes;
        return c;
    }

    const unsigned char* FPos;
    const unsigned char* FFim;
    char16_t FBaixa = 0;   // the low surrogate still to give
};

int ComparaColacaoNomes(void*, int tamanhoA, const void* a, int tamanhoB, const void* b)
{
    return TDatabase::ComparaNomes(std::string_view(static_cast<const char*>(a), static_cast<std::size_t>(tamanhoA)),
                                   std::string_view(static_cast<const char*>(b), static_cast<std::size_t>(tamanhoB)));
}

}   // namespace

void TDatabase::RegistraColacoes(sqlite3* conexao)
{
    sqlite3_create_collation_v2(conexao, ColacaoNomes, SQLITE_UTF8, nullptr, &ComparaColacaoNomes, nullptr);
}

int TDatabase::ComparaNomes(std::string_view a, std::string_view b)
{
    // Names that differ only in accents or case still have one order: the first unit in which
    // their texts differ decides.
    int texto = 0;
    const std::size_t comum = std::min(a.size(), b.size());
    std::size_t i = 0;
    for (; i < comum; ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if ((ca | cb) >= 0x80)
            break;
        if (ca != cb) {
            const int dobrados = DobraAscii(ca) - DobraAscii(cb);
            if (dobrados != 0)
                return dobrados;
            if (texto == 0)
                texto = ca - cb;
        }
    }
    if (i == comum && (i > 0 || comum == std::max(a.size(), b.size()))) {
        // Plain ASCII to the end of the shorter; whatever the longer has left is at least a unit.
        if (a.size() == b.size())
            return texto;
        return a.size() < b.size() ? -1 : 1;
    }
    TUnidadesUtf8 unidadesA(a, i);
    TUnidadesUtf8 unidadesB(b, i);
    for (;;) {
        char16_t ua = 0;
        char16_t ub = 0;
        const bool temA = unidadesA.Proxima(ua);
        const bool temB = unidadesB.Proxima(ub);
        if (!temA || !temB)
            return temA ? 1 : (temB ? -1 : texto);
        if (ua != ub) {
            const int dobrados = TDobraNomes::Dobra(ua) - TDobraNomes::Dobra(ub);
            if (dobrados != 0)
                return dobrados;
            if (texto == 0)
                texto = ua - ub;
        }
    }
}

void TDatabase::CriaArquivo(const QString& arquivo)
{
    if (CriaArquivoVazio(QFile::encodeName(arquivo)))
        return;
    const QString causa = TMotivoSistema::Texto(errno);
    throw EDBEngineError(causa + QStringLiteral(": ") + arquivo, SQLITE_CANTOPEN, causa);
}

TDatabase::TDatabase(const QString& arquivo)
    : FArquivo(arquivo)
{
    const QByteArray nome = QFile::encodeName(arquivo);
    if (!emMemoria)
        CriaArquivo(arquivo);
    // One thread uses the connection: SQLite's own locking of it would only cost time.
    const int rc = sqlite3_open_v2(nome.constData(), &FConexao,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX
                                       | (emMemoria ? SQLITE_OPEN_MEMORY : 0),
                                   nullptr);
    if (rc != SQLITE_OK) {
        const QString texto = FConexao ? QString::fromUtf8(sqlite3_errmsg(FConexao))
                                       : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(FConexao);
        throw EDBEngineError(texto + QStringLiteral(": ") + arquivo, rc);
    }
    sqlite3_extended_result_codes(FConexao, 1);
    sqlite3_busy_timeout(FConexao, 5000);
    RegistraColacoes(FConexao);
    try {
        ExecutaDireto(QStringLiteral("PRAGMA journal_mode=DELETE"));
        ExecutaDireto(QStringLiteral("PRAGMA synchronous=FULL"));
        ExecutaDireto(QStringLiteral("PRAGMA foreign_keys=OFF"));
    } catch (const EDBEngineError& e) {
        // The first statement reads the file: a file that is no database fails here, named.
        sqlite3_close(FConexao);
        throw EDBEngineError(e.Mensagem() + QStringLiteral(": ") + arquivo, e.Codigo());
    } catch (...) {
        sqlite3_close(FConexao);
        throw;
    }
}

TDatabase::TMotivoSomenteLeitura TDatabase::MotivoSomenteLeitura() const
{
    if (!simulacoes.empty())
        return simulacoes.back();
    // The folder first: on a read-only disk SQLite opens the file read-only too, and the disk is
    // what the user must change.
    if (!emMemoria && !QFileInfo(QFileInfo(FArquivo).absolutePath()).isWritable())
        return TMotivoSomenteLeitura::Pasta;
    if (sqlite3_db_readonly(FConexao, "main") == 1)
        return TMotivoSomenteLeitura::Arquivo;
    return TMotivoSomenteLeitura::Nenhum;
}

TDatabase::SimulacaoSomenteLeitura::SimulacaoSomenteLeitura(TMotivoSomenteLeitura motivo)
{
    simulacoes.push_back(motivo);
}

TDatabase::SimulacaoSomenteLeitura::~SimulacaoSomenteLeitura()
{
    simulacoes.pop_back();
}

void TDatabase::SetEmMemoria(bool ligado)
{
    emMemoria = ligado;
}

TDatabase::~TDatabase()
{
    // A batch left open keeps what the writers meant to keep.
    if (FLote > 0 && FProfundidade == FNivelLote) {
        try {
            FLote = 1;
            SetWriteThrough(true);
        } catch (const std::exception& e) {
            qCritical("commit of pending writes failed: %s", e.what());
        }
    }
    FEntregues.clear();
    FComandos.clear();
    FDevolvidos.clear();
    sqlite3_close_v2(FConexao);
}

void TDatabase::ExecutaDireto(const QString& sql)
{
    TComando comando(FConexao, sql);
    comando.Executa();
}

TComando& TDatabase::Guardado(const QString& sql)
{
    auto it = FComandos.find(sql);
    if (it == FComandos.end())
        it = FComandos.insert(sql, std::make_shared<TComando>(FConexao, sql));
    return *it.value();
}

void TDatabase::ExecutaGuardado(const QString& sql)
{
    Guardado(sql).Executa();   // reset when it ends, even on failure
}

namespace {

// Kept things beyond which the keeping starts again: more than a declaration's tables need.
constexpr qsizetype MaximoGuardados = 512;

}   // namespace

qint64 TDatabase::VersaoEsquema()
{
    TComando& versao = Guardado(QStringLiteral("PRAGMA schema_version"));
    const qint64 atual = versao.Passo() ? versao.Inteiro(0) : -1;
    versao.Reinicia();
    return atual;
}

qint64 TDatabase::VersaoEsquemaSemFalha() noexcept
{
    try {
        return VersaoEsquema();
    } catch (const std::exception&) {
        return -2;   // unknown: differs from every version read
    }
}

void TDatabase::ConfereEsquema()
{
    const qint64 atual = VersaoEsquema();
    if (atual != FVersaoEsquema) {
        // Rarely: tables made, changed or dropped. Their statements go with them.
        if (FVersaoEsquema >= 0)
            FDevolvidos.clear();
        EsqueceGuardados();
        FVersaoEsquema = atual;
    }
}

void TDatabase::EsqueceGuardados()
{
    // The statements stay: each is valid SQL for any schema under which a cursor writes the same
    // text (SQLite prepares it again by itself), and a table gone fails the cursor's schema first.
    FEsquemas.clear();
    FNomesReais.clear();
    FPlanos.clear();
    FVersaoEsquema = -1;
}

std::shared_ptr<const TEsquemaTabela> TDatabase::EsquemaGuardado(const QString& nomeTabela)
{
    ConfereEsquema();
    return FEsquemas.value(nomeTabela);
}

void TDatabase::GuardaEsquema(const QString& nomeTabela, std::shared_ptr<const TEsquemaTabela> esquema)
{
    ConfereEsquema();
    if (FEsquemas.size() >= MaximoGuardados)
        FEsquemas.clear();
    FEsquemas.insert(nomeTabela, std::move(esquema));
}

std::shared_ptr<TComando> TDatabase::ComandoDevolvido(const QString& sql)
{
    if (!FDevolvidos.isEmpty()) {
        ConfereEsquema();
        if (auto it = FDevolvidos.find(sql); it != FDevolvidos.end()) {
            std::shared_ptr<TComando> comando = std::move(it.value());
            FDevolvidos.erase(it);
            return comando;
        }
    }
    return std::make_shared<TComando>(FConexao, sql);
}

QStringList TDatabase::Plano(const QString& sql)
{
    ConfereEsquema();
    if (const auto it = FPlanos.constFind(sql); it != FPlanos.cend())
        return it.value();
    QStringList passos;
    TComando plano(FConexao, QStringLiteral("EXPLAIN QUERY PLAN ") + sql);
    while (plano.Passo())
        passos << plano.Texto(plano.Colunas() - 1);
    if (FPlanos.size() >= MaximoGuardados)
        FPlanos.clear();
    FPlanos.insert(sql, passos);
    return passos;
}

void TDatabase::DevolveComando(std::shared_ptr<TComando> comando)
{
    // Nobody else may hold it: it is handed to the next holder as new.
    if (!comando || comando.use_count() != 1)
        return;
    comando->Reinicia();
    comando->SoltaLigacoes();
    comando->SetMarca(0);
    if (FDevolvidos.size() >= MaximoGuardados)
        return;   // finalised: those kept serve the tables opened most
    const QString sql = comando->Sql();
    FDevolvidos.insert(sql, std::move(comando));
}

QString TDatabase::NomeSemExtensao(const QString& nomeTabela)
{
    QString nome = QFileInfo(nomeTabela).fileName();
    const qsizetype ponto = nome.lastIndexOf(QLatin1Char('.'));
    if (ponto > 0)
        nome.truncate(ponto);
    return nome;
}

QString TDatabase::NomeReal(const QString& nomeTabela)
{
    // Asked whenever a table is opened or written directly: the answer holds while the schema
    // does, a table found or not.
    ConfereEsquema();
    if (const auto conhecido = FNomesReais.constFind(nomeTabela); conhecido != FNomesReais.cend())
        return conhecido.value();
    const QString nome = NomeSemExtensao(nomeTabela);
    if (nome.isEmpty())
        return {};
    TComando& c = Comando(
        QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table' AND name = ?1 COLLATE NOCASE"));
    c.LigaTexto(1, nome);
    QString real;
    if (c.Passo())
        real = c.Texto(0);
    c.Reinicia();
    if (FNomesReais.size() >= MaximoGuardados)
        FNomesReais.clear();
    FNomesReais.insert(nomeTabela, real);
    return real;
}

QStringList TDatabase::NomesTabelas()
{
    TComando& c = Comando(QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table' AND name NOT LIKE "
                                         "'sqlite\\_%' ESCAPE '\\' ORDER BY name"));
    QStringList nomes;
    while (c.Passo())
        nomes << c.Texto(0);
    c.Reinicia();
    return nomes;
}

TComando& TDatabase::Comando(const QString& sql)
{
    TComando* comando = &Guardado(sql);
    comando->Reinicia();
    if (std::find(FEntregues.begin(), FEntregues.end(), comando) == FEntregues.end())
        FEntregues.push_back(comando);
    return *comando;
}

void TDatabase::ConfereFalhaSimulada()
{
    if (FFalhaEm < 0)
        return;
    if (FFalhaEm-- > 0)
        return;
    throw EDBEngineError(QString::fromUtf8(sqlite3_errstr(SQLITE_IOERR)), SQLITE_IOERR);
}

bool TDatabase::TransacaoPerdida() const
{
    // After an I/O error or a full disk SQLite may roll the whole transaction back by itself;
    // what follows would then commit statement by statement. Nothing opens another one while
    // it is lost, so SQLite's own state says so until the outermost transaction ends.
    return FProfundidade > 0 && sqlite3_get_autocommit(FConexao) != 0;
}

void TDatabase::FalhaPerdida()
{
    throw EDBEngineError(QStringLiteral("a gravação foi desfeita depois de um erro no disco; nada mais é gravado "
                                        "até que ela termine"),
                         SQLITE_ABORT_ROLLBACK);
}

void TDatabase::RecusaSePerdida() const
{
    if (TransacaoPerdida())
        FalhaPerdida();
}

template <typename Execucao> void TDatabase::ExecutaEscrita(Execucao&& executa)
{
    try {
        RecusaSePerdida();
        ConfereFalhaSimulada();
        SoltaLeituras();
        ++FGeracao;
        executa();
    } catch (...) {
        ++FEscritasFalhas;
        throw;
    }
}

void TDatabase::Escreve(TComando& comando)
{
    ExecutaEscrita([&] { comando.Executa(); });
}

void TDatabase::Escreve(const QString& sql)
{
    ExecutaEscrita([&] { ExecutaDireto(sql); });
}

int TDatabase::Alteracoes() const
{
    return sqlite3_changes(FConexao);
}

qint64 TDatabase::UltimoRowId() const
{
    return sqlite3_last_insert_rowid(FConexao);
}

void TDatabase::SoltaLeituras()
{
    for (ILeitor* leitor : FLeitores)
        leitor->SoltaLeituras();
    // Only a statement handed out since the last release can be running.
    for (TComando* comando : FEntregues)
        comando->Reinicia();
    FEntregues.clear();
}

void TDatabase::RegistraLeitor(ILeitor* leitor)
{
    FLeitores.push_back(leitor);
}

void TDatabase::RemoveLeitor(ILeitor* leitor)
{
    FLeitores.erase(std::remove(FLeitores.begin(), FLeitores.end(), leitor), FLeitores.end());
}

int TDatabase::IniciaTransacao()
{
    RecusaSePerdida();
    SoltaLeituras();
    ExecutaGuardado(FProfundidade == 0 ? QStringLiteral("BEGIN IMMEDIATE")
                                       : QStringLiteral("SAVEPOINT ") + Savepoint(FProfundidade + 1));
    return ++FProfundidade;
}

void TDatabase::ConfirmaTransacao(int nivel)
{
    if (nivel != FProfundidade)
        throw EDatabaseError(QStringLiteral("transactions closed out of order"));
    if (TransacaoPerdida()) {
        // The transaction object is closed all the same; the outermost one ends the lost state.
        EsqueceGuardados();
        --FProfundidade;
        ++FEscritasFalhas;
        FalhaPerdida();
    }
    SoltaLeituras();
    ++FGeracao;
    if (nivel > 1) {
        try {
            ExecutaGuardado(QStringLiteral("RELEASE ") + Savepoint(nivel));
        } catch (...) {
            // Closed all the same: its writes stay inside the outer transaction, which fails.
            --FProfundidade;
            throw;
        }
        --FProfundidade;
        return;
    }
    try {
        ExecutaGuardado(QStringLiteral("COMMIT"));
    } catch (...) {
        ++FEscritasFalhas;
        EsqueceGuardados();
        if (sqlite3_get_autocommit(FConexao) == 0) {
            try {
                ExecutaDireto(QStringLiteral("ROLLBACK"));
            } catch (const std::exception& e) {
                qCritical("rollback after a failed commit failed: %s", e.what());
            }
        }
        FProfundidade = 0;
        throw;
    }
    FProfundidade = 0;
}

void TDatabase::DesfazTransacao(int nivel)
{
    if (nivel != FProfundidade)
        throw EDatabaseError(QStringLiteral("transactions closed out of order"));
    const bool perdida = TransacaoPerdida();
    if (perdida)
        EsqueceGuardados();
    SoltaLeituras();
    ++FGeracao;
    --FProfundidade;
    if (perdida)
        return;   // SQLite has undone it all already, savepoints included
    // The kept schemas stay unless the undoing changed the schema: a later change could bring
    // the version number undone back with another schema.
    const qint64 versaoAntes = VersaoEsquemaSemFalha();
    const auto confereVersao = qScopeGuard([&] {
        if (versaoAntes < 0 || VersaoEsquemaSemFalha() != versaoAntes)
            EsqueceGuardados();
    });
    if (nivel > 1) {
        ExecutaGuardado(QStringLiteral("ROLLBACK TO ") + Savepoint(nivel));
        ExecutaGuardado(QStringLiteral("RELEASE ") + Savepoint(nivel));
    } else if (sqlite3_get_autocommit(FConexao) == 0) {
        ExecutaGuardado(QStringLiteral("ROLLBACK"));
    }
}

void TDatabase::SetWriteThrough(bool ligado)
{
    if (!ligado) {
        if (FLote++ == 0)
            FNivelLote = IniciaTransacao();
        return;
    }
    if (FLote == 0 || --FLote > 0)
        return;
    ConfirmaTransacao(FNivelLote);
}

void TDatabase::FalhaNaProximaEscrita(int escritasAntes)
{
    FFalhaEm = escritasAntes < 0 ? -1 : escritasAntes;
}

void TDatabase::Compacta()
{
    SoltaLeituras();
    ++FGeracao;
    ExecutaDireto(QStringLiteral("VACUUM"));
}

qint64 TDatabase::TamanhoTabela(const QString& nomeTabela)
{
    try {
        const QString nome = NomeReal(nomeTabela);
        if (nome.isEmpty())
            return 0;
        TComando soma(FConexao,
                      QStringLiteral("SELECT COALESCE(SUM(pgsize), 0) FROM dbstat "
                                     "WHERE name IN (SELECT name FROM sqlite_schema WHERE tbl_name = ?1)"));
        soma.LigaTexto(1, nome);
        return soma.Passo() ? soma.Inteiro(0) : 0;
    } catch (const EDatabaseError&) {
        return -1;   // the caller tells that the size cannot be read
    }
}
