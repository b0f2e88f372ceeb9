#include <QString>
#include <array>
#include <vector>
#include <gtest/gtest.h>

#include "exchange/import/TTabelaImpItem.h"

namespace {

// Each row is asked in turn of one table: a number of digits, one with letters, one longer than
// a 64-bit integer holds or one with leading zeros is a beneficiary of its own.
TEST(TTabelaImpItem, AnswersWhetherTheGroupOrTheLineWasMetBefore)
{
    const struct {
        const char16_t* caso;
        const char16_t* anexo;
        const char16_t* dono;
        const char16_t* codigo;
        const char16_t* tipo;
        const char16_t* ni;
        const char16_t* identificador;
        bool primeira;
        bool vista;
    } casos[] = {
        {u"a new group", u"0", u"00001", u"0561", u"1", u"12345678909", u"0", true, false},
        {u"another identifier of it", u"0", u"00001", u"0561", u"1", u"12345678909", u"2", false, false},
        {u"the same identifier again", u"0", u"00001", u"0561", u"1", u"12345678909", u"0", false, true},
        {u"a blank identifier is 0", u"0", u"00001", u"0561", u"1", u"12345678909", u" ", false, true},
        {u"a second group of it", u"0", u"00001", u"0561", u"1", u"12345678909", u"3", true, true},
        {u"a later line of that group", u"0", u"00001", u"0561", u"1", u"12345678909", u"1", false, false},
        {u"a leading zero", u"0", u"00001", u"0561", u"1", u"012345678909", u"0", true, false},
        {u"of the annex", u"1", u"00001", u"0561", u"1", u"12345678909", u"0", true, false},
        {u"of another owner", u"0", u"00002", u"0561", u"1", u"12345678909", u"0", true, false},
        {u"under another code", u"0", u"00001", u"0588", u"1", u"12345678909", u"0", true, false},
        {u"another kind", u"0", u"00001", u"0561", u"2", u"12345678909", u"0", true, false},
        {u"a kind of no meaning", u"0", u"00001", u"0561", u"7", u"12345678909", u"0", true, false},
        {u"the same kind of no meaning", u"0", u"00001", u"0561", u"7", u"12345678909", u"0", true, true},
        {u"a number with a letter", u"0", u"00001", u"0561", u"1", u"1234567890X", u"0", true, false},
        {u"the same number with a letter", u"0", u"00001", u"0561", u"1", u"1234567890X", u"0", true, true},
        {u"no number", u"0", u"00001", u"0561", u"1", u"", u"0", true, false},
        {u"no number again", u"0", u"00001", u"0561", u"1", u"", u"0", true, true},
        {u"a code with letters", u"0", u"00001", u"05 a", u"1", u"12345678909", u"0", true, false},
        {u"the same code with letters", u"0", u"00001", u"05 a", u"1", u"12345678909", u"2", false, false},
        {u"twenty digits", u"0", u"00001", u"0561", u"1", u"12345678901234567890", u"0", true, false},
        {u"twenty digits, the last other", u"0", u"00001", u"0561", u"1", u"12345678901234567891", u"0", true, false},
        {u"the first twenty again", u"0", u"00001", u"0561", u"1", u"12345678901234567890", u"0", false, true},
        {u"eleven zeros", u"0", u"00001", u"0561", u"1", u"00000000000", u"0", true, false},
        {u"one zero", u"0", u"00001", u"0561", u"1", u"0", u"0", true, false},
        {u"an owner without a key yet", u"0", u"", u"0561", u"1", u"12345678909", u"0", true, false},
        {u"an owner key with letters", u"0", u"A0001", u"0561", u"1", u"12345678909", u"0", true, false},
        {u"back to the first owner", u"0", u"00001", u"0561", u"1", u"12345678909", u"1", false, true},
    };
    TTabelaImpItem tabela;
    for (const auto& c : casos) {
        SCOPED_TRACE(QString::fromUtf16(c.caso).toStdString());
        const TTabelaImpItem::TChave chave{c.anexo, c.dono, c.codigo, c.tipo, c.ni, c.identificador};
        EXPECT_EQ(tabela.Registra(chave, c.primeira), c.vista);
    }
    tabela.Esvazia();
    const TTabelaImpItem::TChave primeira{u"0", u"00001", u"0561", u"1", u"12345678909", u"0"};
    EXPECT_FALSE(tabela.Registra(primeira, true));
}

// The table grows past any room reserved and still knows every group it met.
TEST(TTabelaImpItem, KeepsEveryGroupAsItGrows)
{
    TTabelaImpItem tabela;
    tabela.Reserva(10);
    const auto registra = [&](int i, bool primeira) {
        const QString ni = QString::number(10000000000LL + i * 7919LL);
        const TTabelaImpItem::TChave chave{u"0", u"00001", i % 2 ? u"0561" : u"0588", u"1", ni, u"0"};
        return tabela.Registra(chave, primeira);
    };
    for (int i = 0; i < 5000; ++i)
        ASSERT_FALSE(registra(i, true)) << i;
    for (int i = 0; i < 5000; ++i)
        ASSERT_TRUE(registra(i, false)) << i;
}

// Numbers of every length up to a CNPJ's and past it, all zeros, all ones and all nines, under
// codes and kinds that follow each other, are each a group of their own, and each is met again.
TEST(TTabelaImpItem, NumbersOfEveryLengthUnderNeighbouringCodesStayApart)
{
    std::vector<std::array<QString, 3>> grupos;
    for (const char* codigo : {"0561", "0562"})
        for (const char* tipo : {"1", "2"}) {
            grupos.push_back({QLatin1String(codigo), QLatin1String(tipo), QString()});
            for (int tamanho = 1; tamanho <= 16; ++tamanho)
                for (const char digito : {'0', '1', '9'})
                    grupos.push_back(
                        {QLatin1String(codigo), QLatin1String(tipo), QString(tamanho, QLatin1Char(digito))});
        }
    TTabelaImpItem tabela;
    for (const auto& [codigo, tipo, ni] : grupos) {
        SCOPED_TRACE((codigo + QLatin1Char('/') + tipo + QLatin1Char('/') + ni).toStdString());
        EXPECT_FALSE(tabela.Registra({u"0", u"00001", codigo, tipo, ni, u"0"}, true));
    }
    for (const auto& [codigo, tipo, ni] : grupos) {
        SCOPED_TRACE((codigo + QLatin1Char('/') + tipo + QLatin1Char('/') + ni).toStdString());
        EXPECT_TRUE(tabela.Registra({u"0", u"00001", codigo, tipo, ni, u"0"}, false));
        EXPECT_TRUE(tabela.Registra({u"0", u"00001", codigo, tipo, ni, u"1"}, true));
    }
}

// A file with more owners than the table numbers compactly still tells their groups apart.
TEST(TTabelaImpItem, OwnersPastTheCompactNumbersKeepTheirGroupsApart)
{
    TTabelaImpItem tabela;
    const int donos = 0x10000 + 2;
    for (int d = 0; d < donos; ++d) {
        const QString dono = QString::number(d);
        EXPECT_FALSE(tabela.Registra({u"1", dono, u"0561", u"1", u"12345678909", u"0"}, true)) << d;
    }
    for (int d : {0, 1, 0xFFFF, 0x10000, 0x10001}) {
        const QString dono = QString::number(d);
        EXPECT_TRUE(tabela.Registra({u"1", dono, u"0561", u"1", u"12345678909", u"0"}, false)) << d;
        EXPECT_FALSE(tabela.Registra({u"1", dono, u"0561", u"1", u"12345678909", u"2"}, false)) << d;
    }
}

}   // namespace
