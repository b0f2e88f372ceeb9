#include "platform/db/sqlite/EDatabaseError.h"

#include <sqlite3.h>

namespace {

// Extended result codes carry the primary code in their low byte.
int Primario(int codigo)
{
    return codigo & 0xff;
}

}   // namespace

void ExigeModificavel(bool modificavel)
{
    if (!modificavel)
        throw EDatabaseError(QStringLiteral("Cannot modify a read-only dataset"));
}

QString EDBEngineError::Motivo() const
{
    switch (Primario(FCodigo)) {
    case SQLITE_NOTADB:
        return QStringLiteral("o arquivo não é um banco de dados válido");
    case SQLITE_CORRUPT:
        return QStringLiteral("o arquivo do banco de dados está danificado");
    case SQLITE_CANTOPEN:
        return QStringLiteral("não foi possível abrir o arquivo do banco de dados");
    case SQLITE_PERM:
        return QStringLiteral("o acesso ao arquivo do banco de dados foi negado");
    case SQLITE_READONLY:
        return QStringLiteral("o arquivo do banco de dados não pode ser alterado");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("o banco de dados está em uso por outro programa");
    case SQLITE_FULL:
        return QStringLiteral("o disco está cheio");
    case SQLITE_IOERR:
        return QStringLiteral("houve um erro de leitura ou gravação no disco");
    case SQLITE_NOMEM:
        return QStringLiteral("não há memória suficiente");
    case SQLITE_CONSTRAINT:
        return QStringLiteral("o registro repete uma chave existente ou deixa vazio um campo obrigatório");
    case SQLITE_ABORT:
        // SQLite, or the database itself, took the whole transaction back after a failed write.
        return FCodigo == SQLITE_ABORT_ROLLBACK ? QStringLiteral("a gravação foi desfeita depois de um erro no disco")
                                                : QStringLiteral("a operação foi interrompida");
    case SQLITE_INTERRUPT:
        return QStringLiteral("a operação foi interrompida");
    case SQLITE_TOOBIG:
        return QStringLiteral("o valor é grande demais para o banco de dados");
    default:
        return QString();
    }
}

bool EDBEngineError::ArquivoIlegivel() const noexcept
{
    return Primario(FCodigo) == SQLITE_NOTADB || Primario(FCodigo) == SQLITE_CORRUPT;
}

bool EDBEngineError::Danificado() const noexcept
{
    return Primario(FCodigo) == SQLITE_CORRUPT;
}
