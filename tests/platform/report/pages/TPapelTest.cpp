#include <gtest/gtest.h>

#include "platform/report/pages/TPapel.h"
#include "platform/report/pages/TUnidades.h"

TEST(TPapel, CodesGiveTheirSizesAndUnknownCodesLetter)
{
    const struct {
        int codigo;
        int dado;
        QPageSize::PageSizeId tamanho;
    } casos[] = {
        {1, 1, QPageSize::Letter},
        {5, 5, QPageSize::Legal},
        {9, 9, QPageSize::A4},
        {11, 11, QPageSize::A5},
        {14, 14, QPageSize::FanFoldGermanLegal},
        {26, 26, QPageSize::AnsiE},
        {0, 1, QPageSize::Letter},
        {15, 1, QPageSize::Letter},
        {23, 1, QPageSize::Letter},
        {27, 1, QPageSize::Letter},
        {-9, 1, QPageSize::Letter},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.codigo);
        TPapel papel;
        papel.DefineCodigo(c.codigo);
        EXPECT_EQ(papel.Codigo(), c.dado);
        EXPECT_EQ(papel.Tamanho().id(), c.tamanho);
    }
    EXPECT_EQ(TPapel::CodigoDoTamanho(QPageSize::A4), 9);
    EXPECT_EQ(TPapel::CodigoDoTamanho(QPageSize::Letter), 1);
    EXPECT_EQ(TPapel::CodigoDoTamanho(QPageSize::B5), 0);
}

TEST(TPapel, SizesAreInUnitsAndLandscapeSwapsTheSides)
{
    TPapel papel;   // A4
    EXPECT_NEAR(papel.Largura(), 210 / 25.4 * 96, 1e-6);
    EXPECT_NEAR(papel.Altura(), 297 / 25.4 * 96, 1e-6);
    EXPECT_NEAR(papel.MargemEsquerda, TUnidades::DeMilimetros(10), 1e-9);
    papel.DefineCodigo(1);
    papel.DefineOrientacao(TOrientacao::Paisagem);
    EXPECT_NEAR(papel.Largura(), 11 * 96, 1e-6);
    EXPECT_NEAR(papel.Altura(), 8.5 * 96, 1e-6);
    EXPECT_NEAR(papel.LarguraUtil(), 11 * 96 - 2 * TUnidades::DeMilimetros(10), 1e-6);
    EXPECT_EQ(papel.Leiaute().orientation(), QPageLayout::Landscape);
}

TEST(TUnidades, ConversionsMeetAtTheInch)
{
    EXPECT_DOUBLE_EQ(TUnidades::DeMilimetros(25.4), 96);
    EXPECT_DOUBLE_EQ(TUnidades::DeDecimosDeMilimetro(1500), 150 / 25.4 * 96);
    EXPECT_DOUBLE_EQ(TUnidades::DePontos(72), 96);
    EXPECT_DOUBLE_EQ(TUnidades::ParaPontos(96), 72);
}
