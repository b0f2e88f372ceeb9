#pragma once
#include <QByteArray>
#include <QString>

// The running CRC-32 register after the first tamanho bytes of texto, continuing from anterior,
// through the packing library's CRC. Chained over consecutive pieces it gives the register of
// their concatenation: start from 0xFFFFFFFF and complement the final register.
// A tamanho outside 0..size is taken as the nearest bound.
quint32 CalculaCRC(const QByteArray& texto, int tamanho, quint32 anterior);
// The same over the text's single-byte (Latin-1) bytes, as the exchange files hold it.
quint32 CalculaCRC(const QString& texto, int tamanho, quint32 anterior);
