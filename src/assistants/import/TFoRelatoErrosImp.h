#pragma once
#include <QString>
#include <vector>

#include "assistants/import/TRelatoErros.h"

// The report of the error files of an import (or analysis) of a file in the delivery layout:
// each rejected line with its message and its fields laid out by record type ("1" declarant,
// "4" fund or club, "5" fund beneficiary values, any other as beneficiary values), the values of
// the 13 periods only for value lines, every field as it stands in the line. The instructions
// close the report.
class TFoRelatoErrosImp final : public TRelatoErros {
public:
    static constexpr char ModoImportacao[] = "I";

    // Modo "I": an import; anything else an analysis.
    explicit TFoRelatoErrosImp(const QString& Modo);

    // The fields shown of a line of that record type.
    [[nodiscard]] static std::vector<TCampoErro> Campos(const QString& Linha);
    // The value block shows for the value lines (types 2 and 5, and any unknown type).
    [[nodiscard]] static bool MostraValores(const QString& Linha);

    [[nodiscard]] static QString Titulo(const QString& Modo);
    [[nodiscard]] static QString Instrucoes(const QString& Modo);

private:
    void CriaValores();
    void CriaSumario(const QString& Modo);
};

// Previews the report of the pair Nome (".txt" and ".dsc" in ErroImp); Total: the lines the
// caller announced. The pair stays for correction and another import.
void ExibeRelatorioErrosImp(int Total, const QString& Nome, const QString& Modo);
