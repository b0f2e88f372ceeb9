#pragma once
#include <QString>

#include "platform/files/EComMensagem.h"

// A dataset refused an operation (no such field, a value that does not fit its field, a dataset
// in the wrong state) or the database engine failed. The text is the engine's own; the callers
// above the platform turn it into their numbered messages.
class EDatabaseError : public EComMensagem {
public:
    explicit EDatabaseError(const QString& mensagem) : EComMensagem(mensagem) {}
};

// SQLite refused a statement; carries its result code and its text.
class EDBEngineError : public EDatabaseError {
public:
    EDBEngineError(const QString& mensagem, int codigo) : EDatabaseError(mensagem), FCodigo(codigo) {}

    [[nodiscard]] int Codigo() const noexcept { return FCodigo; }
    // Another connection (another program) holds the lock the statement needed, past the wait.
    [[nodiscard]] bool EmUso() const noexcept
    {
        const int primario = FCodigo & 0xFF;
        return primario == 5 || primario == 6;   // SQLITE_BUSY, SQLITE_LOCKED
    }

private:
    int FCodigo;
};
