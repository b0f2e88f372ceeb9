#include <gtest/gtest.h>

#include "reports/ReciboDeTeste.h"
#include "reports/receipt/TDadosRecibo.h"
#include "support/ProgramaDeTeste.h"

using namespace ReciboDeTeste;

TEST(TDadosRecibo, AmountsReadWithEitherDecimalSignAndRoundToCents)
{
    const struct {
        const char* texto;
        qint64 centavos;
        bool lido;
    } casos[] = {
        {"0", 0, true},
        {"55800", 5580000, true},
        {"2275,08", 227508, true},
        {"2275.08", 227508, true},
        {"3487,3", 348730, true},
        {",5", 50, true},
        {"7,", 700, true},
        {" 12,34 ", 1234, true},
        {"0,005", 1, true},   // half a cent goes up
        {"0,0049", 0, true},
        {"99999999999999", 9999999999999900, true},
        {"", 0, false},
        {"-5", 0, false},
        {"1.234,56", 0, false},   // thousands separators are not receipt data
        {"12a", 0, false},
        {"1E5", 0, false},
        {"999999999999999", 0, false},   // beyond 14 whole digits
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        const auto centavos = TDadosRecibo::LeCentavos(QString::fromLatin1(c.texto));
        ASSERT_EQ(centavos.has_value(), c.lido);
        if (c.lido) {
            EXPECT_EQ(*centavos, c.centavos);
        }
    }
    EXPECT_EQ(TDadosRecibo::FormataCentavos(9999999999999), QStringLiteral("99.999.999.999,99"));
    EXPECT_EQ(TDadosRecibo::FormataCentavos(1), QStringLiteral("0,01"));
}

TEST(TDadosRecibo, OneEstablishmentAloneIsNotListedAndAnExtinctCompanysExerciseIsItsYear)
{
    const QString ini = Grava(ProgramaDeTeste::Pasta() + QStringLiteral("/um.ini"),
                              "[Declarante]\r\nIN_PF_PJ=2\r\n[Original]\r\nOR1=000181\r\n"
                              "[Declaracao]\r\nAN_RETENCAO=2003\r\nENCERRA=SIM\r\nTP_Arquivo=R\r\n");
    const auto um = TDadosRecibo::Le(ini);
    ASSERT_TRUE(um.has_value());
    EXPECT_TRUE(um->Linhas.empty());
    EXPECT_EQ(um->Exercicio, QStringLiteral("Exercício: 2003"));
    EXPECT_EQ(um->SituacaoEspecial, QStringLiteral("Extinção"));
    EXPECT_EQ(um->Tipo, QStringLiteral("Tipo: Retificadora"));
}

TEST(TDadosRecibo, MissingKeysReadAsTheirDefaultsAndDamagedAmountsAsNothing)
{
    const auto vazio = TDadosRecibo::Le(ProgramaDeTeste::Pasta() + QStringLiteral("/ausente.ini"));
    ASSERT_TRUE(vazio.has_value());
    EXPECT_FALSE(vazio->PessoaFisica);
    EXPECT_EQ(vazio->Ni, QStringLiteral("E"));
    EXPECT_EQ(vazio->AnoCalendario, QStringLiteral("Ano-calendário: E"));
    EXPECT_EQ(vazio->Exercicio, QStringLiteral("Exercício: "));
    EXPECT_EQ(vazio->BeneficiariosPf, QStringLiteral("0"));
    EXPECT_EQ(vazio->Valores[8], QStringLiteral("0,00"));
    EXPECT_FALSE(vazio->NumeroReciboValido);   // CRC "0"

    const QString ini = Grava(ProgramaDeTeste::Pasta() + QStringLiteral("/dano.ini"),
                              "[ValoresSJ]\r\nVL_DEPOSITO=5x\r\n");
    EXPECT_FALSE(TDadosRecibo::Le(ini).has_value());
}
