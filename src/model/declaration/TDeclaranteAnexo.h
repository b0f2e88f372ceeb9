#pragma once
#include "model/people/TContribuinte.h"
#include "model/values/TErro.h"

class TPruvAnexo;

// An invalid fund or club annex.
class EAnexoInvalido : public TErro {
public:
    using TErro::TErro;
};

// The fund or club that one annex of a declaration identifies: a head-office CNPJ (42 for any
// other order) that may not be the administrator's own number (36).
class TDeclaranteAnexo final : public TContribuinte {
public:
    // Declaracao is the declaration whose declarant administers the fund; it outlives this object.
    explicit TDeclaranteAnexo(const TPruvAnexo& Declaracao);

    // As for any CNPJ; then, when the number is the administrator's, raises EAnexoInvalido 36
    // with the masked number, the number staying stored.
    void SetNi(const QString& Texto) override;
    // As for any CNPJ; then, when the number is the administrator's, adds the same error to the
    // sink.
    void SetNiSemExcecao(const QString& Texto) override;

    // The number held is the administrator's (never for an empty number).
    [[nodiscard]] bool MesmoDoAdministrador() const;
    [[nodiscard]] EAnexoInvalido ErroMesmoDoAdministrador() const;

private:
    const TPruvAnexo& FDeclaracao;   // not owned
};
