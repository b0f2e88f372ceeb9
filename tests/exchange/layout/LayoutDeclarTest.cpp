#include <gtest/gtest.h>

#include "exchange/layout/LayoutDeclar.h"
#include "exchange/delivery/TDeclaracaoEntrega.h"
#include "exchange/layout/TLinhaFixa.h"
#include "exchange/layout/TNomeEntrega.h"
#include "exchange/delivery/TReciboEntrega.h"
#include "exchange/delivery/TRegistroTipo1.h"
#include "exchange/delivery/TRegistroTipo3.h"
#include "platform/files/TVolumes.h"

TEST(TLinhaFixa, FieldsKeepTheirBytePositions)
{
    TLinhaFixa linha(12);
    linha.Texto(1, 3, QStringLiteral("ABCDEF"));    // cut
    linha.Texto(4, 3, QStringLiteral("Ç"));         // Latin-1 kept, padded
    linha.Texto(7, 2, QStringLiteral("\u20ACx"));   // beyond Latin-1: one byte each
    EXPECT_TRUE(linha.Numero(9, 4, 42));
    EXPECT_EQ(linha.Bytes(), QByteArray("ABC\xC7  ?x0042"));
    EXPECT_FALSE(linha.Numero(9, 4, 12345));   // too many digits: the field stays
    EXPECT_FALSE(linha.Numero(9, 4, -1));
    EXPECT_EQ(linha.Campo(9, 4), QByteArrayView("0042"));
    EXPECT_THROW(linha.Texto(12, 2, QStringLiteral("x")), std::out_of_range);
}

TEST(TRegistroTipo1, NamesAreNormalisedAndCutToTheirField)
{
    TDeclaracaoEntrega d;
    d.Ni = QStringLiteral("11144477735");
    d.PessoaFisica = true;
    d.Nome = QStringLiteral("  Ângela   d'Ávila ") + QString(60, QLatin1Char('x'));   // 61 after normalising
    d.Responsavel.Email = QStringLiteral("a.b'c@d.com");
    const TLinhaFixa linha = TRegistroTipo1::Monta(7, d, QString(), QString());
    EXPECT_EQ(linha.Campo(43, 60).toByteArray(), ("ANGELA D AVILA " + QByteArray(60, 'X')).left(60));
    EXPECT_EQ(linha.Campo(503, 11).toByteArray(), "A.B'C@D.COM");   // an e-mail keeps its punctuation
    EXPECT_EQ(linha.Tamanho(), 730);
}

TEST(TRegistroTipo3, ATotalBeyondFifteenDigitsIsRefused)
{
    TTotalCodigo total;
    TTotalCodigo::TColunas colunas{};
    colunas[11][2] = 999'999'999'999'999;
    total.Soma(colunas);
    EXPECT_TRUE(TRegistroTipo3::Monta('3', 1, QStringLiteral("00011144477735"), QStringLiteral("0561"), total));
    colunas[11][2] = 1;
    total.Soma(colunas);
    EXPECT_FALSE(TRegistroTipo3::Monta('3', 1, QStringLiteral("00011144477735"), QStringLiteral("0561"), total));
}

TEST(TNomeEntrega, NameTellsTypeAndSituationAndTheFolderTheVolume)
{
    const struct {
        bool retificadora, especial, pf;
        const char* nome;
    } casos[] = {
        {false, false, true, "11144477735-PRUV-2003-2002-ORIGI-NORMAL.dec"},
        {true, true, true, "11144477735-PRUV-2003-2002-RETIF-ESPOLIOSAIDA.dec"},
        {false, true, false, "11144477735-PRUV-2003-2002-ORIGI-EXTINCAO.dec"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(TNomeEntrega::Arquivo(QStringLiteral("11144477735"), QStringLiteral("2002"), c.retificadora,
                                        c.especial, c.pf),
                  QLatin1String(c.nome));
    const TVolume fixo{QStringLiteral("/home/ana"), QStringLiteral("ana"), TVolume::TTipo::Fixo};
    const TVolume pendrive{QStringLiteral("/media/ana/PEN"), QStringLiteral("PEN"), TVolume::TTipo::Removivel};
    EXPECT_EQ(TNomeEntrega::Pasta(fixo, QStringLiteral("11144477735"), QStringLiteral("2002")),
              QStringLiteral("/home/ana/Declaracoes Gravadas XEQ/Pruv2003/11144477735/2002"));
    EXPECT_EQ(TNomeEntrega::Pasta(pendrive, QStringLiteral("11144477735"), QStringLiteral("2002")), pendrive.Raiz);
}

TEST(TReciboEntrega, MoneyHasADecimalCommaAndNoTrailingZeros)
{
    const struct {
        qint64 centavos;
        const char* texto;
    } casos[] = {
        {0, "0"},           {5, "0,05"},
        {50, "0,5"},        {123456, "1234,56"},
        {123450, "1234,5"}, {999999999999999, "9999999999999,99"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(TReciboEntrega::TextoMonetario(c.centavos), QLatin1String(c.texto));
}
