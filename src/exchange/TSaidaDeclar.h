#pragma once
#include <QByteArray>
#include <QtGlobal>
#include <cstdint>

class TArquivoTexto;

// The writing of one Declar.txt: the open file, the sequence number of the lines after the
// header, the running CRC of those lines and the first fault met.
class TSaidaDeclar final {
public:
    explicit TSaidaDeclar(TArquivoTexto& Arquivo);   // Arquivo is open for writing and outlives this

    // Increments the sequence number and returns it: the first line after the header is 1.
    int ProximaSequencia() { return ++FSequencia; }
    [[nodiscard]] int Sequencia() const { return FSequencia; }

    // Writes the line and its CR LF, keeping the interface alive; a failure records
    // ErroGravacao and answers false.
    bool Grava(const QByteArray& Linha);
    // Adds the line's bytes, then CR LF, to the running CRC.
    void SomaCrc(const QByteArray& Linha);
    // The CRC of the lines added so far: the running register complemented.
    [[nodiscard]] quint32 Crc() const { return ~FCrc; }

    // Keeps the first fault; 0 is ignored.
    void Falha(std::uint8_t Codigo);
    [[nodiscard]] bool Falhou() const { return FResultado != 0; }
    [[nodiscard]] std::uint8_t Resultado() const { return FResultado; }

private:
    TArquivoTexto& FArquivo;   // not owned
    int FSequencia = 0;
    quint32 FCrc = 0xFFFFFFFFu;
    std::uint8_t FResultado = 0;
};
