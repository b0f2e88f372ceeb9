#pragma once
#include <QString>

// The program's folders. The program folder is the executable's folder when it is writable,
// else a per-user data folder; PRUV2003_HOME, when set, replaces both. Every other folder
// lives under it. Paths are absolute, with "/" separators and no trailing separator.
class TPastas final {
public:
    TPastas() = delete;

    static QString Programa();
    static QString Dados();        // Programa() + "/DADOS": the database and the exchange files
    static QString Temporaria();   // Dados() + "/TEMP"
    static QString ErroImp();      // Dados() + "/ErroImp": error files of the imports

    // Creates the data, temporary and import-error folders with their parents.
    // False when one of them cannot be created.
    static bool Cria();

    // What comes with the program (help pages, the withholding codes, the index definitions) is
    // found, in this order, in "resources" beside the executable, beside the executable itself,
    // or in the installed share folder ("../share/pruv2003" from the executable's folder).
    // The full path of the first file of that name; empty when there is none.
    static QString Recurso(const QString& Nome);
    // The same for a folder ("help").
    static QString PastaRecurso(const QString& Nome);
};
