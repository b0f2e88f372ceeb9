#pragma once
#include <QString>

// What the transmission program's installer leaves in the system folder
// (ICarregadorTransmissao::PastaSistema): the INI file "vel-kop.ini" whose section "Vel-Kop"
// holds the installed version and the program's folder. The file's name is matched without
// regard to case; values are read afresh on every call and trimmed, as the program writes them
// by hand-editable lines.
class TInstalacaoTransmissao final {
public:
    static constexpr char NomeIni[] = "vel-kop.ini";
    static constexpr char Secao[] = "Vel-Kop";

    // An empty folder means no system folder: nothing is installed.
    explicit TInstalacaoTransmissao(const QString& pastaSistema);

    [[nodiscard]] bool Existe() const { return !FArquivoIni.isEmpty(); }
    // Full path of the INI file; empty when there is none.
    [[nodiscard]] const QString& ArquivoIni() const { return FArquivoIni; }
    // Versao as a whole number; 0 when missing or not a number.
    [[nodiscard]] int Versao() const;
    // Versao as written; "0" when missing.
    [[nodiscard]] QString VersaoTexto() const;
    // Path, the program's folder; empty when missing.
    [[nodiscard]] QString Path() const;

    // The file of that name in the folder, the exact name first, else the first (by name) that
    // differs only in case; empty when there is none or the folder is empty.
    [[nodiscard]] static QString LocalizaArquivo(const QString& pasta, const QString& nome);

private:
    QString FArquivoIni;
};
