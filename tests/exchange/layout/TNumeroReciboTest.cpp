#include <gtest/gtest.h>

#include "exchange/layout/TNumeroRecibo.h"

TEST(TNumeroRecibo, CalculaDVGivesTheTwoCheckDigitsOfATenDigitBase)
{
    const struct {
        const char* base;
        const char* dv;
    } casos[] = {
        {"1234567890", "91"},
        {"0000000006", "04"},   // first pass leaves 1: its digit becomes 0
        {"9999999999", "90"},   // second pass leaves 0: its digit becomes 0
        {"0000000001", "91"},
        {"0000000000", "00"},
        {"123456789", ""},     // nine digits
        {"12345678901", ""},   // eleven
        {"12345678A0", ""},    // a letter
        {"12345 7890", ""},
        {"١٢٣٤٥٦٧٨٩٠", ""},   // digits of another script
        {"", ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.base);
        EXPECT_EQ(TNumeroRecibo::CalculaDV(QString::fromUtf8(c.base)), QString::fromUtf8(c.dv));
    }
}

TEST(TNumeroRecibo, ValidaAcceptsOnlyTwelveDigitsWithTheirCheckDigits)
{
    const struct {
        const char* texto;
        int codigo;
    } casos[] = {
        {"123456789091", 0},       {"000000000604", 0},
        {"999999999990", 0},       {"123456789092", 70},   // wrong second digit
        {"123456789081", 70},                              // wrong first digit
        {"000000000000", 70},                              // its check digits compute, but the number is refused
        {"12.34.56.78.90-91", 70},                         // the shown form: its literals must be removed first
        {"12345678909", 70},       {"1234567890911", 70},
        {"12345678A091", 70},   // a letter in the base: no check digits at all
        {"1234567890AB", 70},      {"", 70},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(TNumeroRecibo::Valida(QString::fromUtf8(c.texto)), c.codigo);
    }
}

TEST(TNumeroRecibo, FormataShowsTwelveCharactersInPairsAndLeavesOtherLengths)
{
    const struct {
        const char* texto;
        const char* formatado;
    } casos[] = {
        {"123456789012", "12.34.56.78.90-12"},
        {"000000000604", "00.00.00.00.06-04"},
        {"ABCDEFGHIJKL", "AB.CD.EF.GH.IJ-KL"},   // length alone decides
        {"12345678901", "12345678901"},
        {"12.34.56.78.90-12", "12.34.56.78.90-12"},
        {"", ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        QString texto = QString::fromUtf8(c.texto);
        TNumeroRecibo::Formata(texto);
        EXPECT_EQ(texto, QString::fromUtf8(c.formatado));
    }
}
