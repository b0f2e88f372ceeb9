#include <gtest/gtest.h>
#include <zlib.h>

#include "exchange/layout/CalculaCRC.h"

namespace {

quint32 CrcZlib(const QByteArray& dados)
{
    return static_cast<quint32>(
        crc32(0, reinterpret_cast<const Bytef*>(dados.constData()), static_cast<uInt>(dados.size())));
}

}   // namespace

TEST(CalculaCRC, ChainsLinesAndLineEndsIntoTheCrcOfTheFile)
{
    const QByteArray linhas[] = {QByteArray(730, '1'), QByteArray(730, '2'), "00000003\xe7\xe3o"};
    quint32 crc = 0xFFFFFFFFu;
    QByteArray arquivo;
    for (const QByteArray& linha : linhas) {
        crc = CalculaCRC(QString::fromLatin1(linha), static_cast<int>(linha.size()), crc);
        crc = CalculaCRC(QByteArrayLiteral("\r\n"), 2, crc);
        arquivo += linha + "\r\n";
    }
    EXPECT_EQ(~crc, CrcZlib(arquivo));   // accented letters count as their single bytes
}

TEST(CalculaCRC, TakesOnlyTheGivenLength)
{
    const struct {
        int tamanho;
        QByteArray coberto;
    } casos[] = {
        {4, "1234"},
        {0, ""},
        {-3, ""},
        {99, "123456789"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.tamanho);
        EXPECT_EQ(~CalculaCRC(QByteArrayLiteral("123456789"), c.tamanho, 0xFFFFFFFFu), CrcZlib(c.coberto));
    }
}
