#pragma once
#include <QString>
#include <cstdint>

#include "exchange/layout/TLinhaFixa.h"

class TSaidaDeclar;
struct TDeclaracaoEntrega;

// The header line of Declar.txt (248 characters): the program, the calendar year, the declarant
// and the place of transmission. It carries no sequence number and is not part of the CRC.
class TRegistroCabecalho final {
public:
    // Ordem: the 4-digit establishment order, or empty; Uf: the two-letter place of transmission.
    TRegistroCabecalho(QString Ordem, QString Uf);

    // The number the header writes for the open declaration's declarant: a CPF followed by
    // three blanks; a CNPJ rebuilt with the establishment order when one is given.
    [[nodiscard]] QString NiDoCabecalho(const TDeclaracaoEntrega& Aberta) const;

    // Aberta gives the year, the declarant, the name and the nature. Gravada gives the type,
    // the special situation and the CPF responsible before the CNPJ: for a CNPJ it is the
    // stored declaration of NiDoCabecalho (an empty one when none is stored); for a CPF the
    // open declaration itself, whose own CPF is then the responsible one.
    [[nodiscard]] TLinhaFixa Monta(const TDeclaracaoEntrega& Aberta, const TDeclaracaoEntrega& Gravada,
                                   const QString& Recibo) const;
    // Writes the line; false (ErroGravacao recorded) when it could not be written.
    bool Grava(TSaidaDeclar& Saida, const TDeclaracaoEntrega& Aberta, const TDeclaracaoEntrega& Gravada,
               const QString& Recibo) const;

private:
    QString FOrdem;
    QString FUf;
};
