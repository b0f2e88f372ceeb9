#pragma once
#include <QString>

// The database engine's configuration: the aliases that name data folders, kept in the INI
// file "bancos.ini" of the program folder, one section per alias:
//     [Databases\DADOS\db info]
//     PATH=/home/ana/Pruv2003/DADOS
// A missing file holds no alias.
class TConfiguracaoMotor final {
public:
    TConfiguracaoMotor() = delete;

    static constexpr char NomeArquivo[] = "bancos.ini";
    [[nodiscard]] static QString Arquivo();   // looked up afresh on every call (tests move the program folder)

    // The entry of an alias's "db info", empty when the alias or the entry is absent.
    [[nodiscard]] static QString Entrada(const QString& alias, const QString& entrada);
};
