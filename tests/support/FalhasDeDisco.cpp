#include "FalhasDeDisco.h"

#include <QFile>
#include <QStringList>
#include <cstring>
#include <sqlite3.h>

namespace FalhasDeDisco {
namespace {

struct Estado {
    bool Armado = false;
    Falha Pedida;
    int Restantes = 0;
    bool Disparou = false;
};

Estado estado;
Gancho encadeado;
sqlite3_vfs* base = nullptr;
sqlite3_vfs vfs;

// Our file: the methods below, then the base VFS's own file right after it.
struct Arquivo {
    sqlite3_file Publico;
    bool Contado;   // a database or a journal
    sqlite3_file* Real() { return reinterpret_cast<sqlite3_file*>(this + 1); }
};

Arquivo* De(sqlite3_file* f)
{
    return reinterpret_cast<Arquivo*>(f);
}

int Confere(Operacao tipo, int erro)
{
    if (encadeado) {
        switch (encadeado(tipo)) {
        case Decisao::Passa:
            return SQLITE_OK;
        case Decisao::ErroES:
            return erro;
        case Decisao::DiscoCheio:
            return tipo == Escrita ? SQLITE_FULL : erro;
        }
    }
    if (!estado.Armado || (estado.Pedida.Tipos & tipo) == 0)
        return SQLITE_OK;
    if (estado.Disparou)
        return estado.Pedida.Permanente ? erro : SQLITE_OK;
    if (estado.Restantes-- > 0)
        return SQLITE_OK;
    estado.Disparou = true;
    return erro;
}

int Close(sqlite3_file* f)
{
    sqlite3_file* real = De(f)->Real();
    return real->pMethods->xClose(real);
}

int Read(sqlite3_file* f, void* dados, int n, sqlite3_int64 posicao)
{
    sqlite3_file* real = De(f)->Real();
    return real->pMethods->xRead(real, dados, n, posicao);
}

int Write(sqlite3_file* f, const void* dados, int n, sqlite3_int64 posicao)
{
    Arquivo* a = De(f);
    if (a->Contado) {
        if (const int rc = Confere(Escrita, estado.Pedida.DiscoCheio ? SQLITE_FULL : SQLITE_IOERR_WRITE))
            return rc;
    }
    return a->Real()->pMethods->xWrite(a->Real(), dados, n, posicao);
}

int Truncate(sqlite3_file* f, sqlite3_int64 tamanho)
{
    Arquivo* a = De(f);
    if (a->Contado) {
        if (const int rc = Confere(Truncagem, SQLITE_IOERR_TRUNCATE))
            return rc;
    }
    return a->Real()->pMethods->xTruncate(a->Real(), tamanho);
}

int Sync(sqlite3_file* f, int flags)
{
    Arquivo* a = De(f);
    if (a->Contado) {
        if (const int rc = Confere(Sincronia, SQLITE_IOERR_FSYNC))
            return rc;
    }
    return a->Real()->pMethods->xSync(a->Real(), flags);
}

int FileSize(sqlite3_file* f, sqlite3_int64* tamanho)
{
    sqlite3_file* real = De(f)->Real();
    return real->pMethods->xFileSize(real, tamanho);
}

int Lock(sqlite3_file* f, int nivel)
{
    sqlite3_file* real = De(f)->Real();
    return real->pMethods->xLock(real, nivel);
}

int Unlock(sqlite3_file* f, int nivel)
{
    sqlite3_file* real = De(f)->Real();
    return real->pMethods->xUnlock(real, nivel);
}

int CheckReservedLock(sqlite3_file* f, int* saida)
{
    sqlite3_file* real = De(f)->Real();
    return real->pMethods->xCheckReservedLock(real, saida);
}

int FileControl(sqlite3_file* f, int op, void* arg)
{
    sqlite3_file* real = De(f)->Real();
    return real->pMethods->xFileControl(real, op, arg);
}

int SectorSize(sqlite3_file* f)
{
    sqlite3_file* real = De(f)->Real();
    return real->pMethods->xSectorSize(real);
}

int DeviceCharacteristics(sqlite3_file* f)
{
    sqlite3_file* real = De(f)->Real();
    return real->pMethods->xDeviceCharacteristics(real);
}

// Version 1: no shared memory (no WAL) and no memory mapping, which the program uses neither.
const sqlite3_io_methods metodos = {
    1,
    Close,
    Read,
    Write,
    Truncate,
    Sync,
    FileSize,
    Lock,
    Unlock,
    CheckReservedLock,
    FileControl,
    SectorSize,
    DeviceCharacteristics,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
};

int Open(sqlite3_vfs*, sqlite3_filename nome, sqlite3_file* f, int flags, int* saida)
{
    Arquivo* a = De(f);
    std::memset(a, 0, sizeof(Arquivo));
    a->Contado = (flags & (SQLITE_OPEN_MAIN_DB | SQLITE_OPEN_MAIN_JOURNAL)) != 0;
    const int rc = base->xOpen(base, nome, a->Real(), flags, saida);
    // Closed through us only when the real file opened.
    a->Publico.pMethods = a->Real()->pMethods ? &metodos : nullptr;
    return rc;
}

int Delete(sqlite3_vfs*, const char* nome, int sincroniza)
{
    if (const int rc = Confere(Remocao, SQLITE_IOERR_DELETE))
        return rc;
    return base->xDelete(base, nome, sincroniza);
}

}   // namespace

void Encadeia(Gancho gancho)
{
    encadeado = std::move(gancho);
}

void Instala()
{
    if (base)
        return;
    base = sqlite3_vfs_find(nullptr);
    // The base's other calls take the VFS only for its pAppData, copied with it.
    vfs = *base;
    vfs.zName = "pruv-falhas-de-disco";
    vfs.szOsFile = static_cast<int>(sizeof(Arquivo)) + base->szOsFile;
    vfs.xOpen = Open;
    vfs.xDelete = Delete;
    vfs.pNext = nullptr;
    sqlite3_vfs_register(&vfs, 1);
}

QString Conteudo(const QString& arquivo)
{
    sqlite3* banco = nullptr;
    QString texto;
    if (sqlite3_open_v2(QFile::encodeName(arquivo).constData(), &banco, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(banco);
        return texto;
    }
    QStringList tabelas;
    sqlite3_stmt* c = nullptr;
    sqlite3_prepare_v2(banco, "SELECT name FROM sqlite_schema WHERE type = 'table' ORDER BY name", -1, &c, nullptr);
    while (c && sqlite3_step(c) == SQLITE_ROW)
        tabelas << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(c, 0)));
    sqlite3_finalize(c);
    for (const QString& tabela : tabelas) {
        texto += QStringLiteral("[%1]\n").arg(tabela);
        QStringList linhas;
        const QByteArray sql = QStringLiteral("SELECT * FROM \"%1\"").arg(tabela).toUtf8();
        sqlite3_prepare_v2(banco, sql.constData(), -1, &c, nullptr);
        while (c && sqlite3_step(c) == SQLITE_ROW) {
            QString linha;
            for (int i = 0; i < sqlite3_column_count(c); ++i) {
                const auto* valor = reinterpret_cast<const char*>(sqlite3_column_text(c, i));
                linha += (valor ? QString::fromUtf8(valor) : QStringLiteral("NULL")) + QLatin1Char('|');
            }
            linhas << linha;
        }
        sqlite3_finalize(c);
        linhas.sort();
        texto += linhas.join(QLatin1Char('\n')) + QLatin1Char('\n');
    }
    sqlite3_close(banco);
    return texto;
}

void Arma(const Falha& falha)
{
    estado = Estado{true, falha, falha.Antes, false};
}

void Desarma()
{
    estado = Estado{};
}

bool Disparou()
{
    return estado.Disparou;
}

}   // namespace FalhasDeDisco
