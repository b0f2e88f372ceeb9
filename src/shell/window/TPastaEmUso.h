#pragma once
#include <QString>

#include "platform/files/TArquivoDeTrava.h"

// Keeps one program folder (its database, settings and backups) to one running copy, whatever
// the login, session or user that started it: an exclusive lock on the file "pruv2003.lock" in
// the folder itself, held while the object lives (TArquivoDeTrava: a file no running copy holds
// is taken over whatever it holds; another user's file is locked through a read-only
// descriptor).
class TPastaEmUso final {
public:
    using TResultado = TArquivoDeTrava::TResultado;

    static QString NomeArquivo();   // "pruv2003.lock"

    explicit TPastaEmUso(QString pasta);
    ~TPastaEmUso();   // lets the folder go and removes the file
    TPastaEmUso(const TPastaEmUso&) = delete;
    TPastaEmUso& operator=(const TPastaEmUso&) = delete;

    // Travado: this copy now holds the folder. EmUso: another running copy holds it.
    // Impossivel: no lock can be taken in the folder; a second copy would not be kept out.
    TResultado Trava();
    // What a copy that finds the folder in use tells the user: the user whose copy holds it, or
    // only that another copy does where that user cannot be known.
    [[nodiscard]] QString MensagemEmUso() const;
    // What a copy that could not take the lock asks the user before it goes on: nothing when the
    // disk takes no writes at all, where two copies cannot undo each other's work.
    [[nodiscard]] QString PerguntaSemTrava() const;

private:
    QString FPasta;
    TArquivoDeTrava FTrava;
};
