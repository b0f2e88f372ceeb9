#include "platform/files/TDispositivoArquivoNovo.h"

bool TDispositivoArquivoNovo::Abre(const QString& caminho)
{
    return FArquivo.Abre(caminho) && open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 TDispositivoArquivoNovo::writeData(const char* dados, qint64 tamanho)
{
    return FArquivo.Escreve(QByteArrayView(dados, tamanho)) ? tamanho : -1;
}

bool TDispositivoArquivoNovo::Confirma()
{
    close();
    return FArquivo.Confirma();
}

void TDispositivoArquivoNovo::Descarta()
{
    close();
    FArquivo.Descarta();
}
