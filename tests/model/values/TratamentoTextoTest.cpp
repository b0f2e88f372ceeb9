#include <gtest/gtest.h>

#include "model/values/TratamentoTexto.h"

namespace {
QString T(const char* utf8)
{
    return QString::fromUtf8(utf8);
}
}   // namespace

TEST(SoNumeros, DigitsOnlyAndDigitsWithSigns)
{
    const struct {
        const char* texto;
        bool numeros;
        bool sinais;
    } casos[] = {
        {"", true, true},     {"0123456789", true, true},  {" 1", false, false},
        {"1 ", false, false}, {"12.345-6/7", false, true}, {"1,5", false, false},
        {"+1", false, false}, {"a", false, false},         {"١", false, false},   // a digit of another script
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(SoNumeros(T(c.texto)), c.numeros);
        EXPECT_EQ(SoNumerosESinais(T(c.texto)), c.sinais);
    }
}

TEST(Palavras, RunsOfBlanksAreOneSeparator)
{
    const struct {
        const char* texto;
        int quantidade;
        int n;
        const char* palavra;
    } casos[] = {
        {"Ana Maria", 2, 2, "Maria"},
        {"Ana Maria", 2, 3, ""},
        {"  Ana    Maria  Silva ", 3, 2, "Maria"},
        {"Ana", 1, 1, "Ana"},
        {"Ana", 1, 0, ""},
        {"", 0, 1, ""},
        {"   ", 0, 1, ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(ContaPalavras(T(c.texto)), c.quantidade);
        EXPECT_EQ(ObtemPalavra(T(c.texto), c.n), T(c.palavra));
    }
}

TEST(Preenchimento, ZerosInFrontBlanksBehind)
{
    EXPECT_EQ(ZerosAEsquerda(7, 3), T("007"));
    EXPECT_EQ(ZerosAEsquerda(12345, 3), T("12345"));
    EXPECT_EQ(ZerosAEsquerda(0, 8), T("00000000"));
    EXPECT_EQ(ZerosAEsquerda(4294967295LL, 10), T("4294967295"));
    EXPECT_EQ(ZerosAEsquerda(0, 0), T("0"));
    EXPECT_EQ(ZerosAEsquerda(9223372036854775807LL, 1), T("9223372036854775807"));
    EXPECT_EQ(ZerosAEsquerda(-5, 3), T("0-5"));   // as a number padded as text always was

    EXPECT_EQ(CompletaBrancos(T("abcdef"), 4), T("abcd"));
    EXPECT_EQ(CompletaBrancos(T("ab"), 4), T("ab  "));
    EXPECT_EQ(CompletaBrancos(T(""), 3), T("   "));
    EXPECT_EQ(CompletaBrancos(T("abc"), 0), T(""));

    QString texto = T("ab");
    RepeteCaractere(texto, 3, QLatin1Char('0'));
    EXPECT_EQ(texto, T("ab000"));
    RepeteCaractere(texto, 0, QLatin1Char('x'));
    EXPECT_EQ(texto, T("ab000"));
}

TEST(RetiraZerosEsquerda, OnlyLeadingZeros)
{
    const struct {
        const char* texto;
        const char* esperado;
    } casos[] = {
        {"000", ""}, {"0101", "101"}, {"100", "100"}, {"", ""}, {"011", "11"}, {" 01", " 01"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        QString texto = T(c.texto);
        RetiraZerosEsquerda(texto);
        EXPECT_EQ(texto, T(c.esperado));
    }
}

TEST(Meses, ThirteenNamesFromOne)
{
    EXPECT_EQ(Meses(1), T("Janeiro"));
    EXPECT_EQ(Meses(3), T("Março"));
    EXPECT_EQ(Meses(12), T("Dezembro"));
    EXPECT_EQ(Meses(13), T("13º"));
    EXPECT_EQ(Meses(0), QString());
    EXPECT_EQ(Meses(14), QString());
}
