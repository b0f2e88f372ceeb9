#include <gtest/gtest.h>

#include "platform/compress/AtribuiChaveIni.h"

TEST(AtribuiChaveIni, SetsTheKeyKeepingEveryOtherLine)
{
    const struct { const char* caso; QByteArray texto; QByteArray esperado; } casos[] = {
        {"key added at the end of its section",
         "[Declarante]\r\nA=1\r\n[Declaracao]\r\nCRC=5\r\n\r\n[Valores]\r\nB=2\r\n",
         "[Declarante]\r\nA=1\r\n[Declaracao]\r\nCRC=5\r\nVOLUMES=1\r\n\r\n[Valores]\r\nB=2\r\n"},
        {"existing key replaced, any case",
         "[declaracao]\r\nvolumes = 7\r\nCRC=5\r\n", "[declaracao]\r\nVOLUMES=1\r\nCRC=5\r\n"},
        {"section added when missing", "[Declarante]\r\nA=1\r\n", "[Declarante]\r\nA=1\r\n[Declaracao]\r\nVOLUMES=1\r\n"},
        {"empty text", "", "[Declaracao]\r\nVOLUMES=1\r\n"},
        {"LF lines read, CR LF written", "[Declaracao]\nCRC=5\n", "[Declaracao]\r\nCRC=5\r\nVOLUMES=1\r\n"},
        {"last section without line end", "[Declaracao]\r\nCRC=5", "[Declaracao]\r\nCRC=5\r\nVOLUMES=1\r\n"},
        {"same key in another section left alone", "[Outra]\r\nVOLUMES=9\r\n[Declaracao]\r\n",
         "[Outra]\r\nVOLUMES=9\r\n[Declaracao]\r\nVOLUMES=1\r\n"},
        {"Latin-1 bytes kept", "[Declarante]\r\nNM=JO\xc3O\r\n", "[Declarante]\r\nNM=JO\xc3O\r\n[Declaracao]\r\nVOLUMES=1\r\n"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        EXPECT_EQ(AtribuiChaveIni(c.texto, "Declaracao", "VOLUMES", "1"), c.esperado);
    }
}
