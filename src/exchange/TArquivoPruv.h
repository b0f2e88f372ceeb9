#pragma once
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <cstdint>
#include <functional>

class IFonteEntrega;
class IProgresso;
class TColecaoPruv;
class TPruv;
struct TVolume;

// The writer of the delivery file. Gera writes the declaration text Declar.txt and the receipt
// data Recibo.ini in the data folder, for one or more establishments of the declarant, packs
// both into the delivery file (".dec") on the chosen volume, checks the packing's CRC against
// its own and records the generation in the stored declarations. One object per run.
//
// Gera throws nothing: its result is one of ResultadoEntrega, or the message code of an error
// of a stored declaration (already shown). The delivery file appears only when complete and
// checked: a failed or cancelled run leaves an earlier one as it was.
class TArquivoPruv final {
public:
    TArquivoPruv();   // deletes a Recibo.ini left in the data folder by an earlier run
    ~TArquivoPruv();
    TArquivoPruv(const TArquivoPruv&) = delete;
    TArquivoPruv& operator=(const TArquivoPruv&) = delete;

    // Arquivo: receives the path of the delivery file. Cancelado: read between items and
    // establishments. GaugeRegistros counts the items up to Registros; GaugeCompactacao the
    // packing from 0 to 100; either may be null. Chaves: one entry per establishment, the
    // calendar year (4 characters) followed by the declarant's number without check digits.
    // Ordem: the 4-digit establishment order, empty to take the declarant's own. Uf: the
    // place of transmission. NumeroRecibo: the 12 digits of the receipt of the rectified
    // declaration, or empty. Registros: the lines the verification counted, for the
    // free-space test. Declaracao is the declaration open in the program; the declarations
    // written are loaded from Colecao and get, as does Declaracao, the responsible
    // establishment, the generation date, the number of establishments and of volumes.
    std::uint8_t Gera(QString& Arquivo, const bool& Cancelado, TPruv& Declaracao, TColecaoPruv& Colecao,
                      IProgresso* GaugeRegistros, IProgresso* GaugeCompactacao, const QStringList& Chaves,
                      const TVolume& Volume, const QString& Ordem, const QString& Uf, const QString& NumeroRecibo,
                      int Registros);
    // The same, reading the declarations from Fonte.
    std::uint8_t Gera(QString& Arquivo, const bool& Cancelado, IFonteEntrega& Fonte, IProgresso* GaugeRegistros,
                      IProgresso* GaugeCompactacao, const QStringList& Chaves, const TVolume& Volume,
                      const QString& Ordem, const QString& Uf, const QString& NumeroRecibo, int Registros);

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
