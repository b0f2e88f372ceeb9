#pragma once
#include <QString>
#include <functional>

// The seam through which the program's own file calls pass (writes, flushes, syncs, truncations,
// renames and reads of the files it makes or reads itself, not the database's). Unarmed it lets
// every call through; a test arms it to fail a chosen call as a failing or a full disk would, or
// to end the process right there.
class TFalhasDeArquivo final {
public:
    enum Operacao : unsigned {
        Escrita = 1,
        Descarga = 2,    // a buffer handed to the system
        Sincronia = 4,   // fsync
        Truncagem = 8,
        Renomeacao = 16,
        Leitura = 32,
        Remocao = 64,   // unlink: a full disk never fails it
        Todas = 127,
    };
    enum class Efeito { Nenhum, ErroES, DiscoCheio };

    // Asked before each call with its kind and the file's path; Nenhum lets it through.
    using Gancho = std::function<Efeito(Operacao, const QString&)>;
    static void Instala(Gancho gancho);   // an empty function removes it

    // True when the call may go on; otherwise false, with the system's text of the failure given.
    static bool Permite(Operacao operacao, const QString& caminho, QString& erro);
};
