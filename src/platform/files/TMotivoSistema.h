#pragma once
#include <QString>

// The reason of a failed file operation in the user's words, from the system's error number
// (errno), for the conditions a user can meet and mend: a full disk, a folder that cannot be
// written, a missing folder, a file in use. Other numbers are told by their number (the
// system's own text goes to the log).
class TMotivoSistema final {
public:
    TMotivoSistema() = delete;

    // Lower case, without a final point; "houve um erro de leitura ou gravação no disco" for 0.
    [[nodiscard]] static QString Texto(int erro);
};
