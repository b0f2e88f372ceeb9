#include <gtest/gtest.h>

#include "exchange/import/CamposImportacao.h"

namespace {

// A line cut short reads its missing characters as blanks, so that every field keeps its width.
TEST(CampoLinha, ReadsAFieldOfItsWidthWhateverTheLine)
{
    const struct {
        const char* linha;
        int inicio;
        int tamanho;
        const char* campo;
    } casos[] = {
        {"abcdef", 2, 3, "bcd"},    {"abcdef", 4, 3, "def"}, {"abcdef", 5, 3, "ef "},
        {"abcdef", 7, 2, "  "},     {"abcdef", 20, 2, "  "}, {"", 1, 3, "   "},
        {"a\xe7 ", 1, 3, "a\xe7 "}, {"abcdef", 0, 3, ""},    {"abcdef", 1, 0, ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.linha) + " " + std::to_string(c.inicio) + "," + std::to_string(c.tamanho));
        EXPECT_EQ(CampoLinha(QString::fromLatin1(c.linha), c.inicio, c.tamanho), QString::fromLatin1(c.campo));
    }
}

// The line's data and what lies beyond its layout are told from either end alike.
TEST(TamanhoSemBrancosFinais, IsToldFromTheFrontAndBeyondAWidth)
{
    const char* const textos[] = {"", " ", "  \t\r", "a", "a  ", "  a", "abc\x01 ", "ab  c ", "\xa0", "abcdefg"};
    for (const char* texto : textos) {
        const QString t = QString::fromLatin1(texto);
        SCOPED_TRACE(texto);
        EXPECT_EQ(SemConteudo(t), TamanhoSemBrancosFinais(t) == 0);
        for (qsizetype tamanho = 0; tamanho <= 8; ++tamanho)
            EXPECT_EQ(PassaDe(t, tamanho), TamanhoSemBrancosFinais(t) > tamanho) << tamanho;
    }
}

// A field compared in place reads a line too short for it as CampoLinha does: blanks.
TEST(MesmoCampo, ComparesAsTheFieldsReadByCampoLinha)
{
    const struct {
        const char* linha;
        const char* outra;
        int inicio;
        int tamanho;
    } casos[] = {
        {"abcdef", "abcdef", 2, 3}, {"abcdef", "abXdef", 2, 3}, {"abcdef", "abcXYZ", 2, 3},
        {"ab", "ab  ", 1, 4},       {"ab", "ab x", 1, 4},       {"a", "", 3, 2},
        {"abc", "abd", 3, 0},       {"abc", "abd", 0, 3},       {"ab\xe7", "ab\xe3", 1, 3},
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

}   // namespace
