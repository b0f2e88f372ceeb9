#pragma once
#include <QByteArray>
#include <QString>
#include <QtGlobal>

class QFileDevice;

// Lines of a single-byte (Latin-1) file that comes from outside: a line ends at LF, a CR before
// it is dropped, and a last line without its LF still counts. However long a line is, at most
// MaximoGuardado characters of it are kept (the rest is skipped, and Cortada tells), so that a
// file without line ends cannot exhaust the memory.
class TLeitorLinhas final {
public:
    static constexpr qsizetype MaximoGuardado = 64 * 1024;
    static constexpr qsizetype Bloco = 256 * 1024;   // read from the file at once

    // The file is open for reading and outlives the reader.
    explicit TLeitorLinhas(QFileDevice& Arquivo);
    TLeitorLinhas(const TLeitorLinhas&) = delete;
    TLeitorLinhas& operator=(const TLeitorLinhas&) = delete;

    // The next line; false at the end of the file or when it could not be read (Falhou).
    bool LeLinha(QString& Linha);
    // No line left, or the file cannot be read any more.
    [[nodiscard]] bool Fim() const;
    [[nodiscard]] bool Falhou() const { return FFalhou; }
    // The last line read was longer than MaximoGuardado.
    [[nodiscard]] bool Cortada() const { return FCortada; }
    // Lines read so far.
    [[nodiscard]] int Lidas() const { return FLidas; }

    // Test hook: while one lives, every reader fails on reading its line number Linha (from 1),
    // as a disk that goes away would.
    class FalhaSimulada final {
    public:
        explicit FalhaSimulada(int Linha);
        ~FalhaSimulada();
        FalhaSimulada(const FalhaSimulada&) = delete;
        FalhaSimulada& operator=(const FalhaSimulada&) = delete;

    private:
        int FAnterior;
    };

private:
    // Reads the next block of the file after what is left in the buffer; false at its end or
    // on a failure (FFalhou).
    bool Carrega();

    QFileDevice& FArquivo;
    // Read in large blocks and split here: a file of a hundred thousand lines is read without
    // a call per line into the file's own buffer. FInicio..FFim is what is not taken yet.
    QByteArray FBuffer;
    qsizetype FInicio = 0;
    qsizetype FFim = 0;
    int FLidas = 0;
    bool FFalhou = false;
    bool FCortada = false;
};
