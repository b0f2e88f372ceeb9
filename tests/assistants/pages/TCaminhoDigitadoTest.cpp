#include <gtest/gtest.h>

#include "assistants/pages/TCaminhoDigitado.h"

TEST(CaminhoDigitado, SplitsATypedPathIntoItsFolderAndName)
{
    const struct {
        const char* texto;
        const char* pasta;
        const char* nome;
    } casos[] = {
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
