#include <gtest/gtest.h>

#include "assistants/CaminhoDigitado.h"
#include "assistants/PosicaoAssistente.h"

TEST(CaminhoDigitado, SplitsATypedPathIntoItsFolderAndName)
{
    const struct { const char* texto; const char* pasta; const char* nome; } casos[] = {
        {"/a/b/copia", "/a/b", "copia"},
        {" /a//b/copia.cmp ", "/a/b", "copia.cmp"},
        {"/a/b/", "/a/b", ""},
        {"/copia.cmp", "/", "copia.cmp"},
        {"copia.cmp", "", "copia.cmp"},
        {"sub/copia.cmp", "/corrente/sub", "copia.cmp"},   // relative: under the current folder
        {"../copia.cmp", "/", "copia.cmp"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        const TCaminhoDigitado caminho = TCaminhoDigitado::Separa(QLatin1String(c.texto), QStringLiteral("/corrente"));
        EXPECT_EQ(caminho.Pasta, QLatin1String(c.pasta));
        EXPECT_EQ(caminho.Nome, QLatin1String(c.nome));
    }
    EXPECT_EQ(TCaminhoDigitado::Junta(QStringLiteral("/"), QStringLiteral("x.cmp")), QStringLiteral("/x.cmp"));
}

TEST(PosicaoAssistente, CentresAcrossTheMainWindowAndScalesTheDropByTheScreen)
{
    // Main window frame at (100, 50), 800 x 600, client 790 x 560; assistant 524 x 240.
    const QRect moldura(100, 50, 800, 600);
    EXPECT_EQ(PosicaoAssistente(moldura, QSize(790, 560), QSize(524, 240), 96), QPoint(233, 250));
    EXPECT_EQ(PosicaoAssistente(moldura, QSize(790, 560), QSize(524, 240), 120), QPoint(233, 290));
}
