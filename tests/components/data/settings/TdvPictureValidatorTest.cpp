#include <gtest/gtest.h>

#include "components/data/settings/TdvPictureValidator.h"

namespace {

struct CasoMascara {
    const char* mascara;
    const char* entrada;
    bool preenche;
    TPicResult resultado;
    const char* saida;   // the text after the check
};

void Confere(const CasoMascara& c)
{
    SCOPED_TRACE(std::string(c.mascara) + " <- \"" + c.entrada + "\"");
    const TdvPictureValidator validador(QString::fromUtf8(c.mascara), c.preenche);
    QString texto = QString::fromUtf8(c.entrada);
    EXPECT_EQ(validador.Picture(texto, c.preenche), c.resultado);
    EXPECT_EQ(texto, QString::fromUtf8(c.saida));
}

}   // namespace

TEST(PictureMask, AcceptsCompleteTextsAndStoresEachCharactersForm)
{
    const CasoMascara casos[] = {
        {"###-####", "123-4567", false, TPicResult::prComplete, "123-4567"},
        {"&&", "ab", false, TPicResult::prComplete, "AB"},
        {"~~", "AB", false, TPicResult::prComplete, "ab"},
        {"!!", "ab", false, TPicResult::prComplete, "AB"},
        {"!!", "1-", false, TPicResult::prComplete, "1-"},   // ! takes any character
        {"@@", "1a", false, TPicResult::prComplete, "1a"},
        {"??", "éZ", false, TPicResult::prComplete, "éZ"},   // letters above 128 count
        {"&", "é", false, TPicResult::prComplete, "É"},
        {"a#", "A1", false, TPicResult::prComplete, "a1"},    // a literal stores the picture's form
        {";##", "#5", false, TPicResult::prComplete, "#5"},   // ; makes # a literal
        {"#;*", "1*", false, TPicResult::prComplete, "1*"},
        {"##,&&", "ab", false, TPicResult::prComplete, "AB"},   // the second alternative
        {"##,&&", "12", false, TPicResult::prComplete, "12"},
        {"{##}/{##}", "12/34", false, TPicResult::prComplete, "12/34"},
    };
    for (const auto& c : casos)
        Confere(c);
}

TEST(PictureMask, RefusesTextsThePictureDoesNotAllowAndKeepsThemAsTyped)
{
    const CasoMascara casos[] = {
        {"###-####", "1234", true, TPicResult::prError, "1234"},   // 4 is not the literal -
        {"##", "123", false, TPicResult::prError, "123"},          // input left over
        {"##", "1a", false, TPicResult::prError, "1a"},          {"??", "a1", false, TPicResult::prError, "a1"},
        {"&&", "a1", false, TPicResult::prError, "a1"},   // nothing upper-cased on refusal
        {";##", "5", false, TPicResult::prError, "5"},           {"##,&&", "1a", false, TPicResult::prError, "1a"},
        {"##/##", "1 ", false, TPicResult::prError, "1 "},       // a blank is no digit
        {"##/##", "12 3", false, TPicResult::prError, "12 3"},   // a blank stands for a literal only last
    };
    for (const auto& c : casos)
        Confere(c);
}

TEST(PictureMask, ReportsAValidBeginningAsIncompleteAndFillsInLiterals)
{
    const CasoMascara casos[] = {
        {"###-####", "123", true, TPicResult::prIncomplete, "123-"},
        {"###-####", "123", false, TPicResult::prIncomplete, "123"},
        {"###-####", "12", true, TPicResult::prIncomplete, "12"},   // nothing to fill yet
        {"##/##/####", "12/34", true, TPicResult::prIncomplete, "12/34/"},
        {"##;###", "12", true, TPicResult::prIncomplete, "12#"},    // an escaped literal is filled
        {"##-(##", "12", true, TPicResult::prIncomplete, "12-("},   // every literal up to the next item
        {"## ##", "12", true, TPicResult::prIncomplete, "12"},      // a blank is never filled
        {"##/##", "12 ", false, TPicResult::prIncomplete, "12/"},   // a final blank stands for /
        {"*3#", "12", false, TPicResult::prIncomplete, "12"},
        {"&&", "a", false, TPicResult::prIncomplete, "A"},
    };
    for (const auto& c : casos)
        Confere(c);
}

TEST(PictureMask, TreatsOptionalPartsAndRepetitionsByTheirCounts)
{
    const CasoMascara casos[] = {
        {"#[#]", "1", false, TPicResult::prComplete, "1"},
        {"#[#]", "12", false, TPicResult::prComplete, "12"},
        {"#[#]", "123", false, TPicResult::prError, "123"},
        {"[(###)]###", "(11", false, TPicResult::prIncomplete, "(11"},
        {"[(###)]###", "(11)", false, TPicResult::prError, "(11)"},
        {"[(###)]###", "123", false, TPicResult::prComplete, "123"},   // the optional part skipped
        {"[(###)]###", "(123)456", false, TPicResult::prComplete, "(123)456"},
        {"*#", "12345", false, TPicResult::prComplete, "12345"},
        {"*#", "12a", false, TPicResult::prError, "12a"},
        {"*3#", "123", false, TPicResult::prComplete, "123"},
        {"*3#", "1234", false, TPicResult::prError, "1234"},
        {"*2{#-}", "1-2-", false, TPicResult::prComplete, "1-2-"},
        {"#*&", "1ab", false, TPicResult::prComplete, "1AB"},
        {"*[#]", "a", false, TPicResult::prError, "a"},   // a repeated item that takes nothing ends
    };
    for (const auto& c : casos)
        Confere(c);
}

TEST(PictureMask, EmptyTextIsEmptyForAUsablePicture)
{
    const TdvPictureValidator validador(QStringLiteral("###"), true);
    QString texto;
    EXPECT_EQ(validador.Picture(texto, true), TPicResult::prEmpty);
    EXPECT_TRUE(texto.isEmpty());
    EXPECT_TRUE(validador.IsValid(QString()));
}

TEST(PictureMask, AMalformedPictureBlocksNoTypingButValidatesNothing)
{
    for (const char* mascara : {"##;", "##[", "{##", "#]", "#*", ""}) {
        SCOPED_TRACE(mascara);
        const TdvPictureValidator validador(QString::fromLatin1(mascara), true);
        EXPECT_EQ(validador.Status(), 1);
        QString texto = QStringLiteral("qualquer coisa");
        if (*mascara) {
            EXPECT_EQ(validador.Picture(texto, true), TPicResult::prSyntax);
            EXPECT_TRUE(validador.IsValidInput(texto, false));
            EXPECT_FALSE(validador.IsValid(QStringLiteral("1")));
        } else {
            // Without a picture every text is valid.
            EXPECT_TRUE(validador.IsValidInput(texto, false));
            EXPECT_TRUE(validador.IsValid(QStringLiteral("1")));
        }
    }
    for (const char* mascara : {"#;*", "[#]#", "{#}"}) {
        SCOPED_TRACE(mascara);
        EXPECT_EQ(TdvPictureValidator(QString::fromLatin1(mascara), false).Status(), 0);
    }
}

TEST(PictureMask, KeepsTheAutoFillOptionAndFillsOnlyWhenNotSuppressed)
{
    const TdvPictureValidator comPreenchimento(QStringLiteral("##/##"), true);
    const TdvPictureValidator semPreenchimento(QStringLiteral("##/##"), false);
    EXPECT_EQ(comPreenchimento.Options(), 5);
    EXPECT_EQ(semPreenchimento.Options(), 4);

    QString texto = QStringLiteral("12");
    EXPECT_TRUE(comPreenchimento.IsValidInput(texto, false));
    EXPECT_EQ(texto, QStringLiteral("12/"));

    texto = QStringLiteral("12");
    EXPECT_TRUE(comPreenchimento.IsValidInput(texto, true));
    EXPECT_EQ(texto, QStringLiteral("12"));

    texto = QStringLiteral("12");
    EXPECT_TRUE(semPreenchimento.IsValidInput(texto, false));
    EXPECT_EQ(texto, QStringLiteral("12"));

    texto = QStringLiteral("1a");
    EXPECT_FALSE(comPreenchimento.IsValidInput(texto, false));
}

TEST(PictureMask, IsValidAcceptsOnlyCompleteOrEmptyTexts)
{
    const TdvPictureValidator validador(QStringLiteral("##/##"), true);
    const struct {
        const char* texto;
        bool valido;
    } casos[] = {
        {"12/34", true},
        {"", true},
        {"12", false},   // incomplete
        {"12/3a", false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(validador.IsValid(QString::fromLatin1(c.texto)), c.valido);
    }
}
