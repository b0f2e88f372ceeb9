#pragma once
#include <QString>
#include <vector>

#include "assistants/import/TRelatoErros.h"
#include "exchange/import/TRegistroComprovante.h"

// The report of the error files of an income-statement import: each rejected line with its
// message, its twelve fields as they stand in the line and its complementary information.
class TFoErrosImportCompr final : public TRelatoErros {
public:
    TFoErrosImportCompr();

    // The fields 1 to 12 of the line with their captions.
    [[nodiscard]] static std::vector<TCampoErro> Campos(const TRegistroComprovante& Registro);

private:
    void CriaInformacoes();

    TRegistroComprovante FRegistro;
};

// Previews the report of the pair Nome of ErroImp and then deletes the pair. Nothing unless Total
// is at least 1 and Nome is not blank.
void ExibeErrosImportCompr(const QString& Nome, int Total);
