#include <gtest/gtest.h>

#include "ArquivosDeTeste.h"
#include "platform/compress/Compressao.h"
#include "platform/compress/ResultadoCompressao.h"

using namespace ArquivosDeTeste;

// The program-wide functions reach one shared service: files added by one call are packed by the next.
TEST(Compressao, FunctionsShareOneService)
{
    const QString dados = Pasta(QStringLiteral("DADOS"));
    ASSERT_EQ(AdicionaArquivo(Grava(dados + QStringLiteral("/Pruv.db"), "rows")), 1);
    const QString cmp = Pasta(QStringLiteral("CopSeg")) + QStringLiteral("/CopSeg.cmp");
    ASSERT_EQ(Comprimir(cmp, {}), ResultadoCompressao::Ok);
    const QString trabalho = Pasta(QStringLiteral("TEMP"));
    ASSERT_EQ(Descomprimir(cmp, trabalho, {}), ResultadoCompressao::Ok);
    EXPECT_EQ(Le(trabalho + QStringLiteral("/Pruv.db")), "rows");
    EXPECT_EQ(~CalculaCRC32("123456789", 9, 0xFFFFFFFFu), 0xCBF43926u);
}
