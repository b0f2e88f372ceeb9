#pragma once
#include <QString>

// One key of the program's INI file, pruv2003.ini in the program folder, per call: each call
// reads the file, reads or writes the key, and lets it go.
class TArquivoIni final {
public:
    TArquivoIni() = delete;

    [[nodiscard]] static QString Caminho();

    // Padrao when the key, the section or the file is absent.
    [[nodiscard]] static QString LeString(const QString& Secao, const QString& Chave, const QString& Padrao);
    // Raises TErro 159 with the file's path when the key cannot be written for a full or failing
    // disk, 139 with the path and the cause for any other reason; the file is then as it was.
    static void GravaString(const QString& Secao, const QString& Chave, const QString& Valor);
};
