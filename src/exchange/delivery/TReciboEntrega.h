#pragma once
#include <QDate>
#include <QString>
#include <QtGlobal>
#include <array>

#include "exchange/delivery/TItemEntrega.h"
#include "platform/files/TIniFile.h"

struct TDeclaracaoEntrega;

// The totals that the receipt data carries over the items written (types 2 and 5): how many
// items of each beneficiary kind, and each series' amounts in cents.
class TTotaisRecibo final {
public:
    // One more item: each series' amount of the year (months 1 to 13) is rounded to cents and
    // added.
    void Acumula(const TItemEntrega& Item);
    [[nodiscard]] int ItensPf() const { return FItensPf; }
    [[nodiscard]] int ItensPj() const { return FItensPj; }
    [[nodiscard]] qint64 Centavos(TItemEntrega::TSerie Serie) const { return FCentavos.at(Serie); }

private:
    int FItensPf = 0;
    int FItensPj = 0;
    std::array<qint64, TItemEntrega::QuantidadeSeries> FCentavos{};
};

// The receipt data file, Recibo.ini of the data folder, packed with the delivery file and read
// by the receipt print. Written through the ordered INI file: keys in the order written, raw
// values, Latin-1 with CR LF. The keys noted while the text is written are held until
// GravaAnotadas, so that the file is committed once for them however many establishments and
// funds they name.
class TReciboEntrega final {
public:
    TReciboEntrega();   // on DiretorioDados() + "/Recibo.ini"

    [[nodiscard]] const QString& Caminho() const { return FIni.FileName(); }
    // A key to write with the next GravaAnotadas (a line end becomes a blank, a character beyond
    // Latin-1 a "?").
    void Anota(const QString& Secao, const QString& Chave, const QString& Valor);
    // Writes the keys noted, in their order, in one commit. Raises EIniFile when the file cannot
    // be written; the keys then stay noted.
    void GravaAnotadas();
    // Deletes the file; false when it is there and cannot be deleted.
    bool Apaga();

    // The head declaration's keys, the item counters, the totals, the date of generation and
    // the CRC, in the order the receipt print expects them, after any keys noted before; one
    // commit. Raises EIniFile when the file cannot be written.
    void Grava(const TDeclaracaoEntrega& Cabeca, const TTotaisRecibo& Totais, const QDate& Data, quint32 Crc);
    // [Declaracao] VOLUMES as the packing recorded it; 0 when absent or not a number. Raises
    // EIniFile when the file is there but cannot be read.
    [[nodiscard]] int Volumes() const;

    // An amount in cents as the receipt data writes money: the decimal comma, no thousands
    // separator and no trailing zeros of the cents ("1234,5", "7", "0,05").
    [[nodiscard]] static QString TextoMonetario(qint64 Centavos);

private:
    TIniFile FIni;
    QList<TIniFile::TValor> FAnotadas;
};
