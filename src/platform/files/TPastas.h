#pragma once
#include <QString>

// The program's folders. The program folder is the executable's folder when it is writable,
// else a per-user data folder; PRUV2003_HOME, when set, replaces both. Every other folder
// lives under it. Paths are absolute, with "/" separators and no trailing separator.
class TPastas final {
public:
    TPastas() = delete;

    static QString Programa();
    // PRUV2003_HOME is set: whoever set it expects everything the program writes to stay in
    // that folder, the user's settings, printouts and fixed volume included.
    static bool ProgramaDefinido();
    // The user's settings (the file in place of the registry, Qt's own dialog settings): the
    // user's configuration folder, or Programa() + "/config" when ProgramaDefinido().
    static QString Configuracao();
    // Where printouts go as PDF files when the machine has no printer: the user's documents
    // folder (else the home folder), or Programa() + "/PDF" when ProgramaDefinido().
    static QString Impressos();
    // Points Qt's user-scope settings at Configuracao() when ProgramaDefinido(), so that no
    // library writes its own settings under the user's home.
    static void DirecionaConfiguracoesQt();
    static QString Dados();        // Programa() + "/DADOS": the database and the exchange files
    static QString Temporaria();   // Dados() + "/TEMP"
    static QString ErroImp();      // Dados() + "/ErroImp": error files of the imports

    // Creates the data, temporary and import-error folders with their parents.
    // False when one of them cannot be created, with why in the user's words in falha.
    static bool Cria();
    static bool Cria(QString& falha);

    // What comes with the program (help pages, the withholding codes, the index definitions) is
    // found, in this order, in "resources" beside the executable, beside the executable itself,
    // or in the installed share folder ("../share/pruv2003" from the executable's folder).
    // The full path of the first file of that name; empty when there is none.
    static QString Recurso(const QString& Nome);
    // The same for a folder ("help").
    static QString PastaRecurso(const QString& Nome);

    // For tests, whose executable's folder may not be theirs to write: while one exists, the
    // executable's folder is taken to be pasta.
    class SimulacaoExecutavel {
    public:
        explicit SimulacaoExecutavel(const QString& pasta);
        ~SimulacaoExecutavel();
        SimulacaoExecutavel(const SimulacaoExecutavel&) = delete;
        SimulacaoExecutavel& operator=(const SimulacaoExecutavel&) = delete;

    private:
        QString FAnterior;
    };
};
