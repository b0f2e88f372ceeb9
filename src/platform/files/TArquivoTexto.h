#pragma once
#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <memory>

class QFile;
class TArquivoNovo;

// A single-byte (Latin-1) text file, read or written a line at a time. Lines are written with
// CR LF; on reading a line ends at LF, and a CR before it is dropped. Nothing here raises:
// every operation answers whether it worked and Erro() tells why it did not.
class TArquivoTexto final {
public:
    TArquivoTexto();
    ~TArquivoTexto();   // an unfinished write is discarded and the old file stays
    TArquivoTexto(const TArquivoTexto&) = delete;
    TArquivoTexto& operator=(const TArquivoTexto&) = delete;

    // Creates the folder of `caminho` with its parents and starts writing under a temporary
    // name beside it; the file itself appears, or is replaced, only when Fecha succeeds.
    bool Cria(const QString& caminho);
    // Opens an existing file for reading.
    bool Abre(const QString& caminho);

    // Characters beyond Latin-1 are written as "?".
    bool GravaLinha(const QString& linha);
    // False at the end of the file or on a read error (Erro() is then set).
    bool LeLinha(QString& linha);
    // True at the end of a file open for reading, and when no file is open for reading.
    [[nodiscard]] bool Fim() const;

    // Finishes the file: a written file takes its final name now. False when the writing
    // could not be completed; the temporary file is then removed and the old file stays.
    bool Fecha();
    // Drops a file being written without touching the old one.
    void Descarta();

    [[nodiscard]] bool AbertoParaLeitura() const;
    [[nodiscard]] bool AbertoParaEscrita() const;
    [[nodiscard]] QString Caminho() const;
    [[nodiscard]] QString Erro() const;

    // The first `tamanho` bytes of a file, read without holding it open; false when the file
    // cannot be opened or read.
    static bool LeInicio(const QString& caminho, qint64 tamanho, QByteArray& bytes);

private:
    void Reinicia(const QString& caminho);   // lets go of any file, forgets the last error

    std::unique_ptr<QFile> FLeitura;
    std::unique_ptr<TArquivoNovo> FEscrita;
    QString FCaminho;
    QString FErro;
    QByteArray FLinha;   // the bytes of the line being read
};
