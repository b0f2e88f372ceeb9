#pragma once
#include <QDateTime>
#include <QtGlobal>
#include <functional>

#include "exchange/delivery/TPedidoGeracao.h"
#include "exchange/delivery/TResultadoGeracao.h"

class IFonteEntrega;
class TColecaoPruv;
class TPruv;

// The writer of the delivery file. Gera writes the declaration text Declar.txt and the receipt
// data Recibo.ini in the data folder, for one or more establishments of the declarant, packs
// both into the delivery file (".dec") on the chosen volume, checks the packing's CRC against
// its own and records the generation in the stored declarations. One object per run.
//
// Gera throws nothing and shows nothing: its result's code is one of ResultadoEntrega or the
// message code of the error that ended the run, and it carries what the user is told, for the
// caller to show once. The delivery file appears only when complete and checked: a failed or
// cancelled run leaves an earlier one as it was. What a run that ended midway left beside the
// file is taken back by TRecuperacaoEntrega, in the folder of each run and at the start.
class TArquivoPruv final {
public:
    TArquivoPruv();   // deletes a Recibo.ini left in the data folder by an earlier run
    ~TArquivoPruv();
    TArquivoPruv(const TArquivoPruv&) = delete;
    TArquivoPruv& operator=(const TArquivoPruv&) = delete;

    // Declaracao is the declaration open in the program; the declarations written are loaded
    // from Colecao and get, as does Declaracao, the responsible establishment, the generation
    // date, the number of establishments and of volumes.
    TResultadoGeracao Gera(TPruv& Declaracao, TColecaoPruv& Colecao, const TPedidoGeracao& Pedido);
    // The same, reading the declarations from Fonte.
    TResultadoGeracao Gera(IFonteEntrega& Fonte, const TPedidoGeracao& Pedido);

    // The CRC of the lines after the header, of the last Gera that wrote them.
    [[nodiscard]] quint32 Crc() const { return FCrc; }
    // The clock of the generation date and time; the system's by default.
    void DefineRelogio(std::function<QDateTime()> Relogio) { FRelogio = std::move(Relogio); }

    // Bytes kept free on the data folder's volume beyond the lines expected.
    static constexpr qint64 ReservaEmDisco = 102400;

private:
    quint32 FCrc = 0;
    std::function<QDateTime()> FRelogio;
};
