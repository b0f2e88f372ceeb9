#pragma once
#include <QString>

// The notice of the first run that points the user to earlier backups: the backup files
// ("*.cmp", hidden ones included) of the registered backup folder, by name, each with its date.
class TAvisoCopiasDeSeguranca final {
public:
    TAvisoCopiasDeSeguranca() = delete;

    // The text of the information dialog; empty when the folder is empty, missing or holds no
    // backup (nothing is then shown).
    static QString Texto(const QString& pasta);
};
