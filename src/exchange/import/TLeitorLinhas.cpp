#include "exchange/import/TLeitorLinhas.h"

#include <QFileDevice>
#include <cstring>

#include "platform/files/TFalhasDeArquivo.h"

namespace {

int LinhaQueFalha = 0;   // 0: no simulated failure

}   // namespace

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
    // Room for the longest line kept with its CR LF, and a block to read after it.
    FBuffer.resize(MaximoGuardado + 2 + Bloco);
}

bool TLeitorLinhas::Fim() const
{
    return FFalhou || (FInicio == FFim && FArquivo.atEnd());
}

bool TLeitorLinhas::Carrega()
{
    if (FInicio > 0) {
        std::memmove(FBuffer.data(), FBuffer.constData() + FInicio, static_cast<std::size_t>(FFim - FInicio));
        FFim -= FInicio;
        FInicio = 0;
    }
    if (FFim == FBuffer.size() || FArquivo.atEnd())
        return false;
    QString erro;
    if (!TFalhasDeArquivo::Permite(TFalhasDeArquivo::Leitura, FArquivo.fileName(), erro)) {
        FFalhou = true;
        return false;
    }
    const qint64 lidos = FArquivo.read(FBuffer.data() + FFim, FBuffer.size() - FFim);
    if (lidos < 0 || FArquivo.error() != QFileDevice::NoError) {
        FFalhou = true;
        return false;
    }
    FFim += lidos;
    return lidos > 0;
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
    // Up to the LF, or the end of the file; a line longer than the maximum is cut there.
    qsizetype procurados = 0;   // bytes after FInicio already known to hold no LF
    const char* lf = nullptr;
    for (;;) {
        lf = static_cast<const char*>(std::memchr(FBuffer.constData() + FInicio + procurados, '\n',
                                                  static_cast<std::size_t>(FFim - FInicio - procurados)));
        if (lf || FFim - FInicio > MaximoGuardado + 1)
            break;
        procurados = FFim - FInicio;
        if (!Carrega()) {
            if (FFalhou)
                return false;
            break;   // the last line, without its LF
        }
    }
    const char* inicio = FBuffer.constData() + FInicio;
    qsizetype tamanho = lf ? lf - inicio : FFim - FInicio;
    if (lf && tamanho > 0 && inicio[tamanho - 1] == '\r')
        --tamanho;
    if (tamanho > MaximoGuardado) {
        tamanho = MaximoGuardado;
        FCortada = true;
    }
    Linha = QString::fromLatin1(inicio, tamanho);
    if (lf) {
        FInicio = lf + 1 - FBuffer.constData();
    } else if (FCortada) {
        // The rest of a line longer than the buffer is skipped up to its LF.
        FInicio = FFim;
        for (;;) {
            if (!Carrega()) {
                if (FFalhou)
                    return false;
                break;
            }
            lf = static_cast<const char*>(std::memchr(FBuffer.constData(), '\n', static_cast<std::size_t>(FFim)));
            FInicio = lf ? lf + 1 - FBuffer.constData() : FFim;
            if (lf)
                break;
        }
    } else {
        FInicio = FFim;
    }
    ++FLidas;
    return true;
}
