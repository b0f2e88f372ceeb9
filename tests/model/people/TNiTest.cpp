#include <gtest/gtest.h>

#include "model/people/TNi.h"
#include "model/ImprimeQString.h"

TEST(CalculaDV, GivesBothCheckDigitsOfARoot)
{
    const struct {
        const char* raiz;
        const char* dv;
    } casos[] = {
        {"111444777", "35"},
        {"529982247", "25"},
        {"123456789", "09"},   // first digit 10 becomes 0
        {"000000001", "91"},
        {"112223330001", "81"},
        {"112223330002", "62"},
        {"123456780195", "38"},   // weights of a CNPJ go back to 2 after 9
        {"11144477", ""},         // a root of another length has none
        {"1114447770", ""},
        {"11144477a", ""},   // any non-digit spoils it
        {"", ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.raiz);
        EXPECT_EQ(CalculaDV(QString::fromUtf8(c.raiz)), QString::fromUtf8(c.dv));
    }
    EXPECT_EQ(CalculaDVCpf(QStringLiteral("112223330001")), QString());
    EXPECT_EQ(CalculaDVCnpj(QStringLiteral("111444777")), QString());
}

TEST(ValidaCpf, GivesTheMessageOfEachFault)
{
    const struct {
        const char* texto;
        bool vazioOk;
        int codigo;
    } casos[] = {
        {"11144477735", false, 0},
        {"11111111111", false, 0},    // repeated digits with right check digits pass
        {"11144477736", false, 66},   // wrong check digit
        {"1114447773", false, 66},    // ten digits
        {"111444777350", false, 66},
        {"00000000000", false, 66},   // check digits agree, number refused
        {"99999999999", false, 66},
        {"111 444 777", false, 66},   // blanks stay after the mask is removed
        {"1114447773a", false, 66},   // a check digit that is no digit
        {"a1144477735", false, 66},
        {"", false, 68},
        {"", true, 0},
        {" ", true, 66},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(ValidaCpf(QString::fromUtf8(c.texto), c.vazioOk), c.codigo);
    }
}

TEST(ValidaCnpj, GivesTheMessageOfEachFault)
{
    const struct {
        const char* texto;
        bool matriz;
        bool vazioOk;
        int codigo;
    } casos[] = {
        {"11222333000181", false, false, 0},
        {"11222333000181", true, false, 0},
        {"11222333000262", false, false, 0},    // a branch passes...
        {"11222333000262", true, false, 42},    // ...unless the head office is required
        {"11222333000009", false, false, 67},   // order 0000 with right check digits
        {"11222333000182", false, false, 67},
        {"1122233300018", false, false, 67},
        {"11222333000181 ", false, false, 67},
        {"112223330001a1", false, false, 67},   // a check digit that is no digit
        {"1122233300x181", false, false, 67},
        {"", false, false, 69},
        {"", true, true, 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(ValidaCnpj(QString::fromUtf8(c.texto), c.matriz, c.vazioOk), c.codigo);
    }
}

TEST(ValidaInscricao, KindZeroIsToldByTheLength)
{
    const struct {
        const char* texto;
        int tipo;
        bool vazioOk;
        int codigo;
    } casos[] = {
        {"11144477735", 0, false, 0},
        {"11222333000181", 0, false, 0},
        {"111444777", 0, false, 66},      // nine characters: a CPF, and a short one
        {"112223330001", 0, false, 67},   // twelve or more: a CNPJ
        {"1114447773", 0, false, 65},     // ten: neither
        {"", 0, true, 65},                // empty of no kind fails even when allowed
        {"", 1, true, 0},
        {"", 1, false, 68},
        {"", 2, true, 0},
        {"", 2, false, 69},
        {"11222333000181", 1, false, 66},   // the kind given wins over the length
        {"11144477735", 3, false, 65},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        SCOPED_TRACE(c.tipo);
        EXPECT_EQ(ValidaInscricao(QString::fromUtf8(c.texto), static_cast<std::uint8_t>(c.tipo), false, c.vazioOk),
                  c.codigo);
    }
}

TEST(TipoPorTamanho, NineOrElevenIsACpfTwelveOrMoreACnpj)
{
    const struct {
        int tamanho;
        int tipo;
    } casos[] = {
        {0, 0}, {8, 0}, {9, 1}, {10, 0}, {11, 1}, {12, 2}, {14, 2}, {18, 2},
    };
    for (const auto& c : casos)
        EXPECT_EQ(TipoPorTamanho(QString(c.tamanho, QLatin1Char('1'))), c.tipo) << c.tamanho;
}

TEST(FormataNi, MasksByLength)
{
    const struct {
        const char* texto;
        const char* formatado;
    } casos[] = {
        {"11144477735", "111.444.777-35"},
        {"11222333000181", "11.222.333/0001-81"},
        {"111.444.777-35", "111.444.777-35"},   // already masked: masked again from its digits
        {"111444777", "111444777"},             // a root keeps no mask
        {"1122233300018", "1122233300018"},
        {"12345", "12345"},
        {"", ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        QString texto = QString::fromUtf8(c.texto);
        FormataNi(texto);
        EXPECT_EQ(texto, QString::fromUtf8(c.formatado));
    }
}

TEST(RemoveMascara, DropsOnlySlashPointAndHyphen)
{
    EXPECT_EQ(RemoveMascara(QStringLiteral("11.222.333/0001-81")), QStringLiteral("11222333000181"));
    EXPECT_EQ(RemoveMascara(QStringLiteral(" 111 444,777_35 ")), QStringLiteral(" 111 444,777_35 "));
}

TEST(ObtemOrdemCnpj, OrderOfAValidCnpjOnly)
{
    const struct {
        const char* texto;
        const char* ordem;
    } casos[] = {
        {"11.222.333/0002-62", "0002"},
        {"11222333000181", "0001"},
        {"11222333000182", ""},   // wrong check digits
        {"11144477735", ""},      // a CPF
        {"", ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(ObtemOrdemCnpj(QString::fromUtf8(c.texto), true), QString::fromUtf8(c.ordem));
    }
}
