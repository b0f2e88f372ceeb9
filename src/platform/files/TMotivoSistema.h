#pragma once
#include <QString>

// The reason of a failed file operation in the user's words, from the system's error number
// (errno), for the conditions a user can meet and mend: a full disk, a folder that cannot be
// written, a missing folder, a file in use. Other numbers are told by their number (the
// system's own text goes to the log).
class TMotivoSistema final {
public:
    TMotivoSistema() = delete;

    // Not the system's: the name holds a file that is neither a regular file, a folder nor a
    // link (a fifo, a socket, a device), which the program never opens.
    static constexpr int ArquivoEspecial = 0x10000;

    // Lower case, without a final point; "houve um erro de leitura ou gravação no disco" for 0.
    [[nodiscard]] static QString Texto(int erro);
};
