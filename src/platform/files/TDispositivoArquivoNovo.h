#pragma once
#include <QIODevice>

#include "platform/files/TArquivoNovo.h"

// A device that writes a TArquivoNovo, for Qt writers that take a device and do not look at what
// their writes return (the PDF engine): the first failure is kept and every later write fails,
// so that Confirma puts the file in place only when every byte was written, flushed and synced.
class TDispositivoArquivoNovo final : public QIODevice {
public:
    TDispositivoArquivoNovo() = default;

    // Starts the file caminho and opens the device for writing; false when it cannot be made.
    bool Abre(const QString& caminho);
    // Closes the device and puts the file in place; false when any write or step failed, the
    // earlier file then as it was.
    bool Confirma();
    // Closes the device and drops what was written.
    void Descarta();

    [[nodiscard]] const QString& Erro() const { return FArquivo.Erro(); }
    [[nodiscard]] bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* dados, qint64 tamanho) override;

private:
    TArquivoNovo FArquivo;
};
