#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>
#include <cstdint>

class TArquivoTexto;

// The writing of one Declar.txt: the open file, the sequence number of the lines after the
// header, the running CRC of those lines and the first fault met. Lines gather in a block of
// constant size that goes to the file when full and at Descarrega, so that a large declaration
// costs one write per block rather than per line.
class TSaidaDeclar final {
public:
    // Bytes gathered before they go to the file.
    static constexpr qsizetype TamanhoBloco = 16 * 1024;

    explicit TSaidaDeclar(TArquivoTexto& Arquivo);   // Arquivo is open for writing and outlives this

    // Increments the sequence number and returns it: the first line after the header is 1.
    int ProximaSequencia() { return ++FSequencia; }
    [[nodiscard]] int Sequencia() const { return FSequencia; }

    // Adds the line and its CR LF; a failure to write the block records ErroGravacao and
    // answers false (nothing more is written after it).
    bool Grava(QByteArrayView Linha);
    // Writes the lines gathered so far; false, with ErroGravacao, when that failed.
    bool Descarrega();
    // Adds the line's bytes, then CR LF, to the running CRC.
    void SomaCrc(QByteArrayView Linha);
    // The CRC of the lines added so far: the running register complemented.
    [[nodiscard]] quint32 Crc() const { return ~FCrc; }

    // Keeps the first fault, and what the user reads of it beyond its code's message; 0 is
    // ignored.
    void Falha(std::uint8_t Codigo, const QString& Texto = {});
    [[nodiscard]] bool Falhou() const { return FResultado != 0; }
    [[nodiscard]] std::uint8_t Resultado() const { return FResultado; }
    [[nodiscard]] const QString& Texto() const { return FTexto; }

private:
    TArquivoTexto& FArquivo;   // not owned
    QByteArray FBloco;
    bool FGravacaoFalhou = false;
    int FSequencia = 0;
    quint32 FCrc = 0xFFFFFFFFu;
    std::uint8_t FResultado = 0;
    QString FTexto;
};
