#include "shell/backup/TCopiaBanco.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <sqlite3.h>
#include <utility>
#include <vector>

#include "model/codes/TColecaoCodigoRetencao.h"
#include "model/declaration/TColecaoAnexo.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/declaration/TColecaoResumo.h"
#include "model/items/TColecaoJudicial.h"
#include "model/items/TColecaoPruvItem.h"
#include "model/people/TColecaoBeneficiario.h"
#include "model/people/TColecaoResponsavel.h"
#include "model/schema/EsquemaPrograma.h"
#include "model/storage/DonosDeFundo.h"
#include "model/values/TErro.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TEsquemaTabela.h"

namespace {

// A connection of our own to one database file, closed on every way out.
class TConexao final {
public:
    TConexao(const QString& arquivo, int modo)
    {
        const QByteArray nome = QFile::encodeName(arquivo);
        // A copy of the data gets the permissions of the program's rule, as the database does.
        if (modo & SQLITE_OPEN_CREATE)
            TDatabase::CriaArquivo(arquivo);
        const int rc = sqlite3_open_v2(nome.constData(), &FConexao, modo, nullptr);
        if (rc != SQLITE_OK) {
            const QString texto = FConexao ? QString::fromUtf8(sqlite3_errmsg(FConexao))
                                           : QString::fromUtf8(sqlite3_errstr(rc));
            sqlite3_close_v2(FConexao);
            throw EDBEngineError(texto + QStringLiteral(": ") + arquivo, rc);
        }
        sqlite3_busy_timeout(FConexao, 5000);
        // The index of names is checked (integrity_check) in the program's own order.
        TDatabase::RegistraColacoes(FConexao);
    }
    ~TConexao() { sqlite3_close_v2(FConexao); }
    TConexao(const TConexao&) = delete;
    TConexao& operator=(const TConexao&) = delete;

    [[nodiscard]] sqlite3* Conexao() const { return FConexao; }

private:
    sqlite3* FConexao = nullptr;
};

// Copies every page of origem into destino in one transaction of destino; sqlite3_backup_finish
// rolls it back when the copy did not reach its end.
void CopiaPaginas(sqlite3* origem, sqlite3* destino)
{
    sqlite3_backup* copia = sqlite3_backup_init(destino, "main", origem, "main");
    if (!copia)
        throw EDBEngineError(QString::fromUtf8(sqlite3_errmsg(destino)), sqlite3_errcode(destino));
    const int passo = sqlite3_backup_step(copia, -1);
    const int fim = sqlite3_backup_finish(copia);
    if (passo != SQLITE_DONE)
        throw EDBEngineError(QString::fromUtf8(sqlite3_errstr(passo)), passo);
    if (fim != SQLITE_OK)
        throw EDBEngineError(QString::fromUtf8(sqlite3_errmsg(destino)), fim);
}

// The stored name of a table, matched without regard to case or extension; empty when absent.
QString NomeReal(sqlite3* banco, const QString& tabela)
{
    TComando c(banco,
               QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table' AND name = ?1 COLLATE NOCASE"));
    c.LigaTexto(1, TDatabase::NomeSemExtensao(tabela));
    return c.Passo() ? c.Texto(0) : QString();
}

// The program's tables and the columns it writes in each.
std::vector<std::pair<QString, std::vector<TFieldDef>>> TabelasDoPrograma()
{
    return {
        {TColecaoPruv::NomeArquivo(), TColecaoPruv::Campos()},
        {TColecaoPruvItem::NomeArquivo(), TColecaoPruvItem::Campos()},
        {TColecaoBeneficiario::NomeArquivo(), TColecaoBeneficiario::Campos()},
        {TColecaoAnexo::NomeArquivo(), TColecaoAnexo::Campos()},
        {TColecaoResponsavel::NomeArquivo(), TColecaoResponsavel::Campos()},
        {TColecaoResumo::NomeArquivo(), TColecaoResumo::Campos()},
        {TColecaoJudicial::NomeArquivo(), TColecaoJudicial::Campos()},
        {TColecaoCodigoRetencao::NomeArquivo(), TColecaoCodigoRetencao::Campos()},
    };
}

// The first column of the definition that the stored table lacks; empty when none is missing.
QString ColunaAusente(sqlite3* banco, const QString& tabela, const std::vector<TFieldDef>& campos)
{
    TComando c(banco, QStringLiteral("SELECT name FROM pragma_table_info(?1)"));
    c.LigaTexto(1, tabela);
    QStringList colunas;
    while (c.Passo())
        colunas << c.Texto(0);
    for (const TFieldDef& campo : campos)
        if (!colunas.contains(campo.Name, Qt::CaseInsensitive))
            return campo.Name;
    return {};
}

using TConferencia = TCopiaBanco::TConferencia;
using TSituacao = TConferencia::TSituacao;

TConferencia ConfereAberto(sqlite3* banco, bool ExigeColunas)
{
    {
        TComando integridade(banco, QStringLiteral("PRAGMA integrity_check"));
        const QString resposta = integridade.Passo() ? integridade.Texto(0) : QString();
        if (resposta != QLatin1String("ok"))
            return {TSituacao::Danificada, QStringLiteral("integridade: ") + resposta};
    }
    {
        TComando objetos(
            banco,
            QStringLiteral("SELECT type || ' ' || name FROM sqlite_schema WHERE type NOT IN ('table', 'index')"));
        if (objetos.Passo())
            return {TSituacao::Alheia, QStringLiteral("objeto não esperado: ") + objetos.Texto(0)};
    }
    for (const auto& [nome, campos] : TabelasDoPrograma()) {
        const QString real = NomeReal(banco, nome);
        if (real.isEmpty()) {
            if (nome == TColecaoPruv::NomeArquivo())
                return {TSituacao::Alheia, QStringLiteral("tabela ausente: ") + nome};
            continue;   // made by its collection on first use
        }
        if (const QString coluna = ColunaAusente(banco, real, campos); ExigeColunas && !coluna.isEmpty())
            return {TSituacao::Alheia, QStringLiteral("coluna ausente: ") + real + QLatin1Char('.') + coluna};
    }
    return {};
}

// Writes the database of origem to a new file beside arquivo and renames it over arquivo, so
// that arquivo is either the old file or the whole copy.
void SubstituiArquivo(sqlite3* origem, const QString& arquivo)
{
    const QString novo = arquivo + QStringLiteral(".restaurado");
    auto removeNovo = [&novo] {
        QFile::remove(novo);
        QFile::remove(novo + QStringLiteral("-journal"));
    };
    removeNovo();
    try {
        const TConexao destino(novo, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        CopiaPaginas(origem, destino.Conexao());
    } catch (...) {
        removeNovo();
        throw;
    }
    // A journal left by the damaged file would be played back into the copy.
    QFile::remove(arquivo + QStringLiteral("-journal"));
    if (std::rename(QFile::encodeName(novo).constData(), QFile::encodeName(arquivo).constData()) != 0) {
        removeNovo();
        throw EDatabaseError(QStringLiteral("não foi possível substituir o arquivo ") + arquivo);
    }
}

// The fund keys the live data gave stay given: the snapshot (a work file of the restore) records
// the highest of both before it takes the place of the live data. A snapshot that already knows
// them is left as it is.
void MantemChavesDadas(TDatabase& Vivo, const QString& Arquivo)
{
    const qint64 dada = DonosDeFundo::MaiorChaveDada(Vivo);
    TDatabase copia(Arquivo);
    if (dada > DonosDeFundo::MaiorChaveDada(copia))
        DonosDeFundo::RegistraChaveDada(copia, dada);
}

TConferencia ConfereArquivo(const QString& Arquivo, bool ExigeColunas)
{
    if (!QFileInfo(Arquivo).isFile())
        return {TSituacao::Ausente, QStringLiteral("arquivo não encontrado: ") + Arquivo};
    try {
        const TConexao banco(Arquivo, SQLITE_OPEN_READONLY);
        // The file comes from outside: nothing stored in it may run code of its own.
        sqlite3_db_config(banco.Conexao(), SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
        sqlite3_db_config(banco.Conexao(), SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
        return ConfereAberto(banco.Conexao(), ExigeColunas);
    } catch (const EDatabaseError& e) {
        return {TSituacao::Danificada, e.Mensagem()};   // the reason goes back to the caller
    }
}

}   // namespace

QString TCopiaBanco::ArquivoDaPasta(const QString& PastaDados)
{
    return QDir(PastaDados).absoluteFilePath(TDatabase::NomeArquivo());
}

void TCopiaBanco::Instantaneo(const QString& PastaDados, const QString& Destino)
{
    const QString arquivo = ArquivoDaPasta(PastaDados);
    if (!QFileInfo(arquivo).isFile())
        throw EDatabaseError(QStringLiteral("arquivo não encontrado: ") + arquivo);
    const TConexao origem(arquivo, SQLITE_OPEN_READONLY);
    QFile::remove(Destino);
    try {
        const TConexao destino(Destino, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        CopiaPaginas(origem.Conexao(), destino.Conexao());
    } catch (...) {
        QFile::remove(Destino);
        QFile::remove(Destino + QStringLiteral("-journal"));
        throw;
    }
}

TCopiaBanco::TConferencia TCopiaBanco::Confere(const QString& Arquivo)
{
    return ConfereArquivo(Arquivo, true);
}

TCopiaBanco::TConferencia TCopiaBanco::PreparaRestauracao(const QString& Arquivo)
{
    // Only a sound file of this program is changed at all: nothing in it runs code, and a
    // foreign database gets none of the program's tables.
    if (TConferencia conferencia = ConfereArquivo(Arquivo, false); !conferencia.Boa())
        return conferencia;
    try {
        TDatabase copia(Arquivo);
        CriaTabelasPrograma(copia);
    } catch (const TErro& e) {
        return {TSituacao::Recusada, e.GetMensagem()};
    } catch (const EDatabaseError& e) {
        return {TSituacao::Danificada, e.Mensagem()};
    }
    return Confere(Arquivo);
}

void TCopiaBanco::Restaura(const QString& Arquivo, const QString& PastaDados)
{
    const TConexao origem(Arquivo, SQLITE_OPEN_READONLY);
    std::shared_ptr<TDatabase> banco;
    try {
        banco = TDatabase::DaPasta(PastaDados);
    } catch (const EDBEngineError& e) {
        if (!e.ArquivoIlegivel())
            throw;
        // Nothing of the current file can be read, so no connection holds it: the copy takes
        // its place whole.
        qWarning("current database unreadable, replaced whole: %s", e.what());
        SubstituiArquivo(origem.Conexao(), ArquivoDaPasta(PastaDados));
        return;
    }
    if (banco->ProfundidadeTransacao() > 0 || !banco->WriteThrough())
        throw EDatabaseError(QStringLiteral("há uma transação em andamento no banco de dados"));
    MantemChavesDadas(*banco, Arquivo);
    banco->SoltaLeituras();
    // A statement left on a row keeps a read transaction open, under which no copy can start.
    for (sqlite3_stmt* comando = sqlite3_next_stmt(banco->Conexao(), nullptr); comando;
         comando = sqlite3_next_stmt(banco->Conexao(), comando))
        sqlite3_reset(comando);
    CopiaPaginas(origem.Conexao(), banco->Conexao());
}

qint64 TCopiaBanco::ContaLinhas(const QString& Arquivo, const QString& Tabela)
{
    if (!QFileInfo(Arquivo).isFile())
        return 0;
    try {
        const TConexao banco(Arquivo, SQLITE_OPEN_READONLY);
        const QString nome = NomeReal(banco.Conexao(), Tabela);
        if (nome.isEmpty())
            return 0;
        TComando c(banco.Conexao(), QStringLiteral("SELECT COUNT(*) FROM ") + TEsquemaTabela::Aspas(nome));
        return c.Passo() ? c.Inteiro(0) : 0;
    } catch (const EDatabaseError& e) {
        qWarning("rows of %s in %s not counted: %s", qUtf8Printable(Tabela), qUtf8Printable(Arquivo), e.what());
        return 0;
    }
}
