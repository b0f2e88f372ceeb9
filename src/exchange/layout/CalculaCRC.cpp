#include "exchange/layout/CalculaCRC.h"

#include <algorithm>

#include "platform/compress/Compressao.h"

quint32 CalculaCRC(const QByteArray& texto, int tamanho, quint32 anterior)
{
    const auto n = std::clamp<qsizetype>(tamanho, 0, texto.size());
    return CalculaCRC32(texto.constData(), static_cast<quint32>(n), anterior);
}

quint32 CalculaCRC(const QString& texto, int tamanho, quint32 anterior)
{
    return CalculaCRC(texto.toLatin1(), tamanho, anterior);
}
