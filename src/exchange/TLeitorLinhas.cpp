#include "exchange/TLeitorLinhas.h"

#include <QFileDevice>

namespace {

int LinhaQueFalha = 0;   // 0: no simulated failure

}  // namespace

TLeitorLinhas::FalhaSimulada::FalhaSimulada(int Linha)
    : FAnterior(LinhaQueFalha)
{
    LinhaQueFalha = Linha;
}

TLeitorLinhas::FalhaSimulada::~FalhaSimulada()
{
    LinhaQueFalha = FAnterior;
}

TLeitorLinhas::TLeitorLinhas(QFileDevice& Arquivo)
    : FArquivo(Arquivo)
{
    FBuffer.resize(MaximoGuardado + 3);   // room for the CR LF and readLine's final NUL
}

bool TLeitorLinhas::Fim() const
{
    return FFalhou || FArquivo.atEnd();
}

bool TLeitorLinhas::LeLinha(QString& Linha)
{
    Linha.clear();
    FCortada = false;
    if (Fim())
        return false;
    if (LinhaQueFalha > 0 && FLidas + 1 == LinhaQueFalha) {
        FFalhou = true;
        return false;
    }
    const qint64 lidos = FArquivo.readLine(FBuffer.data(), FBuffer.size());
    if (lidos < 0 || FArquivo.error() != QFileDevice::NoError) {
        FFalhou = true;
        return false;
    }
    qsizetype tamanho = lidos;
    bool terminou = tamanho > 0 && FBuffer.at(tamanho - 1) == '\n';
    if (terminou)
        --tamanho;
    if (terminou && tamanho > 0 && FBuffer.at(tamanho - 1) == '\r')
        --tamanho;
    if (tamanho > MaximoGuardado) {
        tamanho = MaximoGuardado;
        FCortada = true;
    }
    Linha = QString::fromLatin1(FBuffer.constData(), tamanho);
    // The rest of a line longer than the buffer is skipped up to its LF.
    char resto[4096];
    while (!terminou && !FArquivo.atEnd()) {
        const qint64 mais = FArquivo.readLine(resto, sizeof resto);
        if (mais < 0 || FArquivo.error() != QFileDevice::NoError) {
            FFalhou = true;
            return false;
        }
        FCortada = true;
        terminou = mais > 0 && resto[mais - 1] == '\n';
    }
    ++FLidas;
    return true;
}
