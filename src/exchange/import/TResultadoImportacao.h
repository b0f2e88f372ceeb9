#pragma once
#include <QString>
#include <cstdint>

// What one import of a file in the delivery layout (TImportacaoPruv::Importa) ends with.
struct TResultadoImportacao {
    struct TContadores {
        int Declaracoes = 0;   // declarations imported
        int BeneficiariosAdicionados = 0;
        int BeneficiariosSubstituidos = 0;   // existing items replaced (not those kept)
        int BeneficiariosRejeitados = 0;
        int RegistrosRejeitados = 0;
        int Fundos = 0;   // fund or club annexes
        int Avisos = 0;   // warnings

        bool operator==(const TContadores&) const = default;
    };

    // 0; 151 when the data folder's volume lacks the room the file needs; 159 when the log cannot
    // be written; or the code of the database failure that undid the import (already shown).
    std::uint8_t Codigo = 0;
    // The base name the error log was given: the request's, else the declarant's number
    // ("ErroNoNi" without one).
    QString NomeLog;
    TContadores Contadores;
};
