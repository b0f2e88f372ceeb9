#include <gtest/gtest.h>

#include "exchange/CamposImportacao.h"

namespace {

// A field compared in place reads a line too short for it as CampoLinha does: blanks.
TEST(MesmoCampo, ComparesAsTheFieldsReadByCampoLinha)
{
    const struct {
        const char* linha;
        const char* outra;
        int inicio;
        int tamanho;
    } casos[] = {
        {"abcdef", "abcdef", 2, 3},
        {"abcdef", "abXdef", 2, 3},
        {"abcdef", "abcXYZ", 2, 3},
        {"ab", "ab  ", 1, 4},
        {"ab", "ab x", 1, 4},
        {"a", "", 3, 2},
        {"abc", "abd", 3, 0},
        {"abc", "abd", 0, 3},
        {"ab\xe7", "ab\xe3", 1, 3},
        {"abc", "ABC", 1, 3},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.linha) + " / " + c.outra);
        const QString linha = QString::fromLatin1(c.linha);
        const QString outra = QString::fromLatin1(c.outra);
        EXPECT_EQ(MesmoCampo(linha, outra, c.inicio, c.tamanho),
                  CampoLinha(linha, c.inicio, c.tamanho) == CampoLinha(outra, c.inicio, c.tamanho));
    }
}

}  // namespace
