#pragma once
#include <QString>

// The program's values that belong to the user rather than to one program folder (the folder of
// the backups): a small settings file "Programas XEQ/PRUV2003.conf" in the user's configuration
// folder (TPastas::Configuracao). A missing or unreadable file reads as empty.
class TRegistroPruv final {
public:
    TRegistroPruv() = delete;

    // The key of the backup folder.
    static constexpr char DirCsDefault[] = "DirCsDefault";
    // The work folders (beside the file) in which a change is written and read back.
    static inline const QString PrefixoTrabalho = QStringLiteral("registro");

    // Looked up afresh on every call, so that the configuration folder may change (tests).
    [[nodiscard]] static QString Caminho();

    // Empty when the value or the file is absent.
    [[nodiscard]] static QString LeString(const QString& Nome);
    // Creates the file and its folder when missing; the other keys stay as they were. Raises
    // TErro 159 with the file's path when it cannot be read or written; the file is then as it
    // was: it is replaced in one step, and only by a new one read back whole.
    static void GravaString(const QString& Nome, const QString& Valor);
};
