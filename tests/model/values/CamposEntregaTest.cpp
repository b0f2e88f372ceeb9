#include <gtest/gtest.h>

#include <stdexcept>

#include "model/values/CamposEntrega.h"

namespace {
QString T(const char* utf8)
{
    return QString::fromUtf8(utf8);
}
}   // namespace

TEST(FormataValor, WholePartWithZerosAndNeverAnExponent)
{
    const struct {
        int tamanho;
        double valor;
        const char* esperado;
    } casos[] = {
        {15, 123456.0, "000000000123456"},
        {10, 4294967295.0, "4294967295"},
        {5, 2.5, "00002"},
        {5, 0.0, "00000"},
        {3, 12345.0, "12345"},
        {15, 1e15, "1000000000000000"},
        {20, 123456789012345.0, "00000123456789012345"},
        {3, 0.9999999999999999, "001"},   // printed with 15 digits it is 1
        {3, -0.5, "000"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.esperado);
        EXPECT_EQ(FormataValor(c.tamanho, c.valor), T(c.esperado));
    }
}

TEST(SomaValores, RoundsToTheDecimalsGiven)
{
    EXPECT_DOUBLE_EQ(SomaValores(18, 2, 0.1, 0.2), 0.3);
    EXPECT_DOUBLE_EQ(SomaValores(18, 2, 1.0, 0.006), 1.01);
    EXPECT_DOUBLE_EQ(SomaValores(18, 0, 123456.0, 1.0), 123457.0);
    EXPECT_DOUBLE_EQ(SomaValores(4, 2, 123.456, 0.0), 123.5);   // four significant digits
    EXPECT_THROW(SomaValores(18, 2, 1e308, 1e308), std::runtime_error);
}

TEST(ExtraiValor, DigitsAreCentsAnythingElseIsKept)
{
    const QString linha = T("x000000000123456abc  00000000000000000007");
    const struct {
        int inicio;
        int tamanho;
        const char* esperado;
    } casos[] = {
        {2, 15, "1234,56"}, {2, 20, "1234,56"},                     // only the first 15 characters count
        {17, 3, "abc"},     {20, 2, "  "},      {22, 20, "0,00"},   // 15 zeros
        {100, 5, ""},       {41, 1, "0,07"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.inicio);
        EXPECT_EQ(ExtraiValor(linha, c.inicio, c.tamanho), T(c.esperado));
    }
}

TEST(NormalizaTexto, UpperCaseWithoutAccentsAndSingleBlanks)
{
    const struct {
        const char* texto;
        bool troca;
        const char* esperado;
    } casos[] = {
        {"  José da Conceição  ", false, "JOSE DA CONCEICAO"},
        {"ÀÁÂÃàáâã ÉÊéê Íí ÓÔÕóôõ ÚÜúü Çç", false, "AAAAAAAA EEEE II OOOOOO UUUU CC"},
        {"Ana   Maria", false, "ANA MARIA"},
        {"D'Ávila S.A.", false, "D'AVILA S.A."},
        {"D'Ávila S.A.", true, "D AVILA S A "},
        {"Cia. . Ltda", true, "CIA LTDA"},
        {"Ñandú ö & 1/2", false, "ÑANDU ö & 1/2"},   // letters outside the list stay as they are
        {"", false, ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(NormalizaTexto(T(c.texto), c.troca), T(c.esperado));
    }
}
