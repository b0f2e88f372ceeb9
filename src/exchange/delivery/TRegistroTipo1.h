#pragma once
#include <QString>

#include "exchange/layout/TLinhaFixa.h"

class TReciboEntrega;
class TSaidaDeclar;
struct TDeclaracaoEntrega;

// The type 1 line (730 characters): the declarant of one establishment and the persons
// responsible. One object per writing run: it counts the original and rectifying
// establishments that it records in the receipt data.
class TRegistroTipo1 final {
public:
    explicit TRegistroTipo1(TReciboEntrega& Recibo);   // the receipt data, outlives this

    // Ordem: the 4-digit establishment order, or empty; NumeroRecibo: 12 digits, or empty.
    [[nodiscard]] static TLinhaFixa Monta(int Sequencia, const TDeclaracaoEntrega& Declaracao, const QString& Ordem,
                                          const QString& NumeroRecibo);
    // The establishment part of a line's number as the receipt data records it: the order of a
    // valid CNPJ (else nothing) and the check digits of its first 12 characters.
    [[nodiscard]] static QString Estabelecimento(const QString& NiDaLinha);

    // Writes the line and adds it to the CRC; then notes for the receipt data whether the
    // declarant is a public body and the establishment under the declaration's type. A failed
    // write is recorded in Saida.
    void Grava(TSaidaDeclar& Saida, const TDeclaracaoEntrega& Declaracao, const QString& Ordem,
               const QString& NumeroRecibo);

private:
    TReciboEntrega& FRecibo;   // not owned
    int FOriginais = 0;
    int FRetificadoras = 0;
};
