#include <gtest/gtest.h>

#include "components/data/settings/dvStr.h"

TEST(StrGetToken, CutsTokensAndMovesThePosition)
{
    const struct {
        const char* texto;
        int pos;
        const char* delim;
        const char* token;
        int depois;
    } casos[] = {
        {"NOME;CheckBox;S;N", 1, ";", "NOME", 6},
        {"NOME;CheckBox;S;N", 6, ";", "CheckBox", 15},
        {"NOME;CheckBox;S;N", 17, ";", "N", -1},   // no delimiter follows: the rest
        {"a;b;", 5, ";", "", -1},                  // past the end
        {"a;b", 0, ";", "", 0},                    // 0 or less gives nothing
        {"a;b", -1, ";", "", -1},
        {"", 1, ";", "", -1},
        {"A = 1 and B = 2", 1, "AND", "A = 1", 11},   // a word delimiter, any case
        {"A = 1 AND B = 2", 11, "AND", "B = 2", -1},
        {"BRANDO = 1", 1, "AND", "BRANDO = 1", -1},   // inside a word it is no delimiter
        {"CAMPO\t80\tTítulo", 7, "\t", "80", 10},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.texto) + " @" + std::to_string(c.pos));
        int pos = c.pos;
        EXPECT_EQ(dvStrGetToken(QString::fromUtf8(c.texto), pos, QString::fromLatin1(c.delim)),
                  QString::fromUtf8(c.token));
        EXPECT_EQ(pos, c.depois);
    }
}

TEST(StrSplit, KeepsEveryPieceIncludingATrailingEmptyOne)
{
    const struct {
        const char* texto;
        QStringList pedacos;
    } casos[] = {
        {"a;b;c", {"a", "b", "c"}}, {"a;b;", {"a", "b", ""}}, {";a", {"", "a"}}, {"a", {"a"}}, {"", {""}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        QStringList lista{QStringLiteral("velho")};
        dvStrSplit(QString::fromLatin1(c.texto), QStringLiteral(";"), lista);
        EXPECT_EQ(lista, c.pedacos);
    }
}

TEST(StrRoutines, TrimReplaceCountCompareAndCut)
{
    QString texto = QStringLiteral("A = 1 \t \t");
    dvStrTrimRightSet(texto, QStringLiteral(" \t"));
    EXPECT_EQ(texto, QStringLiteral("A = 1"));
    texto = QStringLiteral(" \t");
    dvStrTrimRightSet(texto, QStringLiteral(" \t"));
    EXPECT_TRUE(texto.isEmpty());

    EXPECT_EQ(dvStrReplaceChar(QStringLiteral("a;b;c"), QLatin1Char(';'), QLatin1Char('\t')),
              QStringLiteral("a\tb\tc"));
    EXPECT_EQ(dvStrCountChar(QStringLiteral("a;b;c"), QLatin1Char(';')), 2);
    EXPECT_TRUE(dvSameText(QStringLiteral("Benef"), QStringLiteral("BENEF")));
    EXPECT_TRUE(dvSameText(QStringLiteral("ação"), QStringLiteral("AÇÃO")));
    EXPECT_FALSE(dvSameText(QStringLiteral("Benef"), QStringLiteral("Benefs")));

    const struct {
        const char* texto;
        const char* depois;
        const char* antes;
    } cortes[] = {
        {"chave=valor", "valor", "chave"},
        {"=valor", "valor", ""},
        {"chave=", "", "chave"},
        {"a=b=c", "b=c", "a"},
        {"semsinal", "", ""},   // absent: both empty
    };
    for (const auto& c : cortes) {
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(dvStrAfterChar(QString::fromLatin1(c.texto), QLatin1Char('=')), QString::fromLatin1(c.depois));
        EXPECT_EQ(dvStrBeforeChar(QString::fromLatin1(c.texto), QLatin1Char('=')), QString::fromLatin1(c.antes));
    }
}

TEST(StrFileNameOnly, KeepsTheNameUpToItsFirstDot)
{
    const struct {
        const char* caminho;
        const char* nome;
    } casos[] = {
        {"Benef.db", "Benef"},
        {"DADOS/PruvItem.DB", "PruvItem"},
        {"C:\\DADOS\\Pruv.db", "Pruv"},
        {"copia.seg.cmp", "copia"},
        {"Benef", "Benef"},   // a name without a dot stays whole
        {"DADOS/Benef", "Benef"},
        {"DADOS.old/Benef", "Benef"},
        {"", ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caminho);
        EXPECT_EQ(dvStrFileNameOnly(QString::fromLatin1(c.caminho)), QString::fromLatin1(c.nome));
    }
}
