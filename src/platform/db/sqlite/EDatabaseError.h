#pragma once
#include <QString>
#include <utility>

#include "platform/files/EComMensagem.h"

// A dataset refused an operation (no such field, a value that does not fit its field, a dataset
// in the wrong state) or the database engine failed. The text is the engine's own; the callers
// above the platform turn it into their numbered messages.
class EDatabaseError : public EComMensagem {
public:
    explicit EDatabaseError(const QString& mensagem)
        : EComMensagem(mensagem)
    {}
};

// Every dataset and cursor refuses a change in the same words when it cannot be changed.
void ExigeModificavel(bool modificavel);

// SQLite refused a statement; carries its result code and its text.
class EDBEngineError : public EDatabaseError {
public:
    EDBEngineError(const QString& mensagem, int codigo, QString causa = QString())
        : EDatabaseError(mensagem)
        , FCodigo(codigo)
        , FCausa(std::move(causa))
    {}

    [[nodiscard]] int Codigo() const noexcept { return FCodigo; }
    // The reason in the user's language, for the conditions a user can meet (a damaged file, a
    // full disk, a file in use, a write taken back...); empty for the others (a statement the
    // engine refused), whose English text is all there is.
    [[nodiscard]] QString Motivo() const;
    // What stood in the way, in the user's words, where the program found it before the engine
    // (what is under the file's name, a folder that keeps this user out); else empty.
    [[nodiscard]] const QString& Causa() const noexcept { return FCausa; }
    // The file is there but is no database, or its pages are damaged: only a restore or a
    // rebuild can make it usable, while a retry cannot.
    [[nodiscard]] bool ArquivoIlegivel() const noexcept;
    // A database whose pages are damaged (rather than a file that is no database).
    [[nodiscard]] bool Danificado() const noexcept;

private:
    int FCodigo;
    QString FCausa;
};
