#include <gtest/gtest.h>

#include "components/data/richtext/dvRichText.h"

TEST(RichText, GivesThePlainTextARichTextControlWouldShow)
{
    const struct {
        const char* rtf;
        const char* texto;
    } casos[] = {
        {"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue0;}\\f0\\fs20 Rendimento anual\\par}",
         "Rendimento anual"},
        {"{\\rtf1 linha 1\\par linha 2\\line fim\\par\\par}", "linha 1\nlinha 2\nfim"},
        {"{\\rtf1 Declara\\'e7\\'e3o}", "Declaração"},
        {"{\\rtf1\\uc1 A\\u231\\'e7\\u227?o}", "Ação"},          // the fallback after \\u is skipped
        {"{\\rtf1 {\\*\\generator Editor 5;}texto}", "texto"},   // unknown optional destinations
        {"{\\rtf1 chaves \\{ \\} e barra \\\\}", "chaves { } e barra \\"},
        {"{\\rtf1 a\\tab b}", "a\tb"},
        {"{\\rtf1 \\b negrito\\b0  e normal}", "negrito e normal"},
        {"{\\rtf1 pre\\'80o}", "pre€o"},   // Windows-1252, not Latin-1
        {"{\\rtf1 {\\info{\\title T}}corpo}", "corpo"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.rtf);
        EXPECT_TRUE(dvIsRichText(QByteArray(c.rtf)));
        EXPECT_EQ(dvRichTextToPlain(QByteArray(c.rtf)), QString::fromUtf8(c.texto));
    }
}

TEST(RichText, LeavesPlainTextAlone)
{
    const QByteArray latin1("Observa\xe7\xe3o {sem} \\rtf");
    EXPECT_FALSE(dvIsRichText(latin1));
    EXPECT_EQ(dvRichTextToPlain(latin1), QString::fromLatin1(latin1));
    // Truncated rich text ends without reading past its end.
    EXPECT_EQ(dvRichTextToPlain(QByteArray("{\\rtf1 fim\\")), QStringLiteral("fim"));
    EXPECT_EQ(dvRichTextToPlain(QByteArray("{\\rtf1 x\\'e")), QStringLiteral("x"));
}
