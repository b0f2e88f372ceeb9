#pragma once
#include <QDateTime>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "exchange/delivery/TDeclaracaoEntrega.h"
#include "exchange/delivery/TItemEntrega.h"

class TErro;

// Where the writer of the delivery file reads the declarations from and records what it did:
// the stored declarations of the model (TFontePruv), or a stand-in in tests.
class IFonteEntrega {
public:
    virtual ~IFonteEntrega() = default;

    // The declaration open in the program.
    [[nodiscard]] virtual TDeclaracaoEntrega Aberta() = 0;
    // The stored declaration of that calendar year and declarant (11 or 14 digits); false, and
    // Destino untouched, when none is stored.
    virtual bool Carrega(const QString& Ano, const QString& Ni, TDeclaracaoEntrega& Destino) = 0;
    // The fund and club annexes of a declaration loaded by Carrega, in their stored order.
    [[nodiscard]] virtual std::vector<TAnexoEntrega> Anexos(const TDeclaracaoEntrega& Declaracao) = 0;

    // Starts a walk over the items of the declaration's own (Anexo null) or of one annex, in
    // withholding-code order and, within a code, in beneficiary order.
    virtual void AbreItens(const TDeclaracaoEntrega& Declaracao, const TAnexoEntrega* Anexo) = 0;
    // The next item of the walk; false at its end.
    virtual bool ProximoItem(TItemEntrega& Item) = 0;
    // Ends the walk, letting go of what it held.
    virtual void FechaItens() = 0;

    // After a complete writing: the stored declaration of Ano and Ni, and the open declaration,
    // take the responsible establishment (a root of 9 or 12 digits), the generation date and the
    // number of establishments written; the stored one is saved even when setting the
    // establishment reported an error. Returns the first such error, or null.
    virtual std::unique_ptr<TErro> RegistraGeracao(const QString& Ano, const QString& Ni,
                                                   const QString& RaizEstabelecimento, const QDateTime& Data,
                                                   int Estabelecimentos) = 0;
    // After the packing: the number of volumes the delivery took, into both declarations.
    virtual void RegistraVolumes(const QString& Ano, const QString& Ni, int Volumes) = 0;
    // The delivery file was not put in place: the open declaration gets back what the two calls
    // above gave it, and the stored ones are read again (their rows were rolled back).
    virtual void DesfazRegistros() = 0;
    // The generation date that the stored declaration of Ano and Ni holds as this source reads
    // it now (the run's own records included); none from a source that keeps no record.
    [[nodiscard]] virtual std::optional<double> DataGravada(const QString& Ano, const QString& Ni)
    {
        (void)Ano;
        (void)Ni;
        return std::nullopt;
    }
};
