#pragma once
#include "exchange/layout/TLinhaFixa.h"

class TReciboEntrega;
class TSaidaDeclar;
struct TAnexoEntrega;
struct TDeclaracaoEntrega;

// The type 4 line (730 characters): the fund or club of one annex, before that annex's value
// lines. One object per writing run: it numbers the funds it records in the receipt data.
class TRegistroTipo4 final {
public:
    explicit TRegistroTipo4(TReciboEntrega& Recibo);   // the receipt data, outlives this

    // Administradora: the declaration the annex belongs to.
    [[nodiscard]] static TLinhaFixa Monta(int Sequencia, const TAnexoEntrega& Anexo,
                                          const TDeclaracaoEntrega& Administradora);
    // Writes the line and adds it to the CRC; then records the fund's masked number in the
    // receipt data (noted, for the receipt data's next commit).
    void Grava(TSaidaDeclar& Saida, const TAnexoEntrega& Anexo, const TDeclaracaoEntrega& Administradora);

private:
    TReciboEntrega& FRecibo;   // not owned
    int FAnexos = 0;
};
