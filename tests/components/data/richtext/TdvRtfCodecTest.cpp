#include <gtest/gtest.h>

#include "components/data/richtext/TdvRtfReader.h"
#include "components/data/richtext/TdvRtfWriter.h"

namespace {

TdvRtfParagraph Paragrafo(const QString& texto, TdvRtfCharFormat formato = {})
{
    TdvRtfParagraph p;
    p.Runs.push_back({texto, formato});
    return p;
}

TdvRtfDocument LeOuFalha(const QByteArray& bytes)
{
    const auto documento = TdvRtfReader::Read(bytes);
    EXPECT_TRUE(documento.has_value()) << bytes.toStdString();
    return documento.value_or(TdvRtfDocument());
}

}   // namespace

TEST(TdvRtfCodec, EachFormatComesBackAsItWasWritten)
{
    TdvRtfCharFormat negrito;
    negrito.Bold = true;
    TdvRtfCharFormat tudo;
    tudo.Font = QStringLiteral("Liberation Serif");
    tudo.HalfPoints = 36;
    tudo.Italic = tudo.Underline = tudo.StrikeOut = true;
    tudo.Color = 0xFF0000;
    tudo.Highlight = 0xFFFF00;
    TdvRtfCharFormat outraFonte;
    outraFonte.Font = QStringLiteral("Liberation Mono");
    outraFonte.Color = 0x000080;

    TdvRtfParagraph centrado = Paragrafo(QStringLiteral("meio"));
    centrado.Alignment = TdvRtfAlignment::Center;
    TdvRtfParagraph recuado = Paragrafo(QStringLiteral("recuo\tcom tab"));
    recuado.LeftIndent = 1440;
    recuado.FirstIndent = -720;
    recuado.RightIndent = 567;
    recuado.Tabs = {720, 2880};
    recuado.Alignment = TdvRtfAlignment::Right;
    TdvRtfParagraph espacado = Paragrafo(QStringLiteral("espaco"));
    espacado.SpaceBefore = 120;
    espacado.SpaceAfter = 240;
    espacado.LineSpacing = 360;
    espacado.LineMultiple = true;
    espacado.Alignment = TdvRtfAlignment::Justify;
    TdvRtfParagraph marcador = Paragrafo(QStringLiteral("item"));
    marcador.Bullet = true;
    marcador.LeftIndent = 720;
    TdvRtfParagraph misto = Paragrafo(QStringLiteral("normal "));
    misto.Runs.push_back({QStringLiteral("forte"), negrito});
    misto.Runs.push_back({QStringLiteral(" todo{}\\"), tudo});
    misto.Runs.push_back({QStringLiteral("mono"), outraFonte});
    TdvRtfParagraph acentos = Paragrafo(QString::fromUtf8("ação € \u2028segunda linha"));

    const struct {
        const char* nome;
        TdvRtfDocument documento;
    } casos[] = {
        {"plain", {{Paragrafo(QStringLiteral("texto simples"))}}},
        {"empty paragraph between",
         {{Paragrafo(QStringLiteral("a")), TdvRtfParagraph(), Paragrafo(QStringLiteral("b"))}}},
        {"alignment", {{centrado}}},
        {"indents and tabs", {{recuado}}},
        {"spacing", {{espacado}}},
        {"bullet", {{marcador, Paragrafo(QStringLiteral("sem"))}}},
        {"character formats and colours", {{misto}}},
        {"latin-1, euro and line break", {{acentos}}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        const QByteArray rtf = TdvRtfWriter::Write(c.documento);
        EXPECT_TRUE(TdvRtfReader::IsRtf(rtf));
        const TdvRtfDocument lido = LeOuFalha(rtf);
        EXPECT_EQ(lido, c.documento) << rtf.toStdString();
        EXPECT_EQ(TdvRtfWriter::Write(lido), rtf);
    }
}

TEST(TdvRtfCodec, ReadsWhatOtherEditorsWrite)
{
    const QByteArray rtf =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman{\\*\\panose 0}Times New Roman;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;}{\\stylesheet{\\s0 Normal;}}{\\*\\generator X;}{\\info{\\title T}}\r\n"
        "\\viewkind4\\uc1\\pard\\qc\\f0\\fs20 Ol\\'e1 {\\b\\cf1 mundo}\\par\r\n"
        "\\pard\\f1 \\u8364?\\u-4064? x\\{y\\}\\~z{\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt link}}\\par\r\n"
        "{\\pict\\bin3 }}}}\\'41}";
    const TdvRtfDocument d = LeOuFalha(rtf);
    ASSERT_EQ(d.Paragraphs.size(), 3U);
    const TdvRtfParagraph& p0 = d.Paragraphs[0];
    EXPECT_EQ(p0.Alignment, TdvRtfAlignment::Center);
    ASSERT_EQ(p0.Runs.size(), 2U);
    EXPECT_EQ(p0.Runs[0].Text, QString::fromUtf8("Olá "));
    EXPECT_EQ(p0.Runs[0].Format.Font, QStringLiteral("Arial"));
    EXPECT_EQ(p0.Runs[0].Format.HalfPoints, 20);
    EXPECT_TRUE(p0.Runs[1].Format.Bold);
    EXPECT_EQ(p0.Runs[1].Format.Color, 0xFF0000);
    const TdvRtfParagraph& p1 = d.Paragraphs[1];
    EXPECT_EQ(p1.Alignment, TdvRtfAlignment::Left);
    EXPECT_EQ(p1.Text(), QString::fromUtf8("€\uF020 x{y}\u00A0zlink"));
    EXPECT_EQ(p1.Runs[0].Format.Font, QStringLiteral("Times New Roman"));
    // The binary bytes of the picture are skipped, braces among them included.
    EXPECT_EQ(d.Paragraphs[2].Text(), QStringLiteral("A"));
}

TEST(TdvRtfCodec, HostileDocumentsEndWithoutFailing)
{
    const struct {
        const char* nome;
        QByteArray bytes;
        QString texto;
    } casos[] = {
        {"groups never closed", "{\\rtf1 abc{{{{", QStringLiteral("abc")},
        {"too many closing braces", "{\\rtf1 a}}}}b", QStringLiteral("ab")},
        {"deep nesting", "{\\rtf1 " + QByteArray(100000, '{') + "x" + QByteArray(100000, '}') + "y",
         QStringLiteral("xy")},
        {"huge numbers", "{\\rtf1\\fs99999999999999999999\\li-99999999999999\\tx99999999999 a}", QStringLiteral("a")},
        {"binary length past the end", "{\\rtf1 a\\bin999999999 bc", QStringLiteral("a")},
        {"negative binary length", "{\\rtf1 a\\bin-5 bc}", QStringLiteral("abc")},
        {"backslash at the end", "{\\rtf1 a\\", QStringLiteral("a")},
        {"hex cut short", "{\\rtf1 a\\'", QStringLiteral("a")},
        {"colour index past the table", "{\\rtf1{\\colortbl;}\\cf9\\highlight70000 a}", QStringLiteral("a")},
        {"unicode skip past the end", "{\\rtf1\\uc8\\u65", QStringLiteral("A")},
        {"long control word", "{\\rtf1\\" + QByteArray(10000, 'a') + " b}", QStringLiteral("b")},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(LeOuFalha(c.bytes).PlainText(), c.texto);
    }
}

TEST(TdvRtfCodec, OnlyBytesThatStartAsRichTextAreRead)
{
    EXPECT_FALSE(TdvRtfReader::Read("texto {\\rtf1 a}").has_value());
    EXPECT_FALSE(TdvRtfReader::Read("").has_value());
    EXPECT_TRUE(TdvRtfReader::Read("{\\rtf").has_value());
}

TEST(TdvRtfCodec, TableCellsEndWithATabAndRowsWithAParagraph)
{
    const QByteArray rtf = "{\\rtf1\\ansi\\trowd\\cellx1000\\cellx2000\\intbl foo\\cell bar\\cell\\row"
                           "\\trowd\\intbl um\\cell dois\\cell\\row\\pard depois\\par}";
    const TdvRtfDocument d = LeOuFalha(rtf);
    ASSERT_GE(d.Paragraphs.size(), 3U);
    EXPECT_EQ(d.Paragraphs[0].Text(), QStringLiteral("foo\tbar\t"));
    EXPECT_EQ(d.Paragraphs[1].Text(), QStringLiteral("um\tdois\t"));
    EXPECT_EQ(d.Paragraphs[2].Text(), QStringLiteral("depois"));
}

TEST(TdvRtfCodec, EscapedBytesFollowTheDeclaredCodePages)
{
    const struct {
        const char* caso;
        QByteArray rtf;
        QString texto;
    } casos[] = {
        {"Windows-1252 when nothing is declared", "{\\rtf1\\ansi \\'80\\'e9}", QString::fromUtf8("€é")},
        {"the document's code page, Polish", "{\\rtf1\\ansi\\ansicpg1250 \\'9c\\'b9\\'b3}", QString::fromUtf8("śął")},
        {"the document's code page, Cyrillic", "{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}", QString::fromUtf8("При")},
        {"a Greek font in a Western document",
         "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset161 Arial Greek;}}"
         "\\f0 \\'e1{\\f1 \\'e1\\'e2}\\'e1}",
         QString::fromUtf8("áαβá")},
        {"two bytes of a Japanese font make one character",
         "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset128 \\'82\\'6c\\'82\\'72 Mincho;}}\\f0 "
         "\\'82\\'a0\\'93\\'fa}",
         QString::fromUtf8("あ日")},
        {"Chinese with the document's code page and a literal trail byte",
         "{\\rtf1\\ansi\\ansicpg936 \\'d6\\'d0\\'ce\\'c4 \\'b0A}", QString::fromUtf8("中文 癆")},
        {"a code page Qt has no converter for reads as Windows-1252", "{\\rtf1\\ansi\\ansicpg61000 \\'e9}",
         QString::fromUtf8("é")},
        {"the ANSI fallback of a Unicode character is skipped", "{\\rtf1\\ansi\\ansicpg1251\\uc1 \\u1044\\'c4x}",
         QString::fromUtf8("Дx")},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        EXPECT_EQ(LeOuFalha(c.rtf).PlainText(), c.texto);
    }
    // The font's name is read in its own code page.
    const TdvRtfDocument d = LeOuFalha(casos[4].rtf);
    ASSERT_FALSE(d.Paragraphs.empty());
    ASSERT_FALSE(d.Paragraphs[0].Runs.empty());
    EXPECT_EQ(d.Paragraphs[0].Runs[0].Format.Font, QString::fromUtf8("ＭＳ Mincho"));
}

TEST(TdvRtfCodec, ADoubleByteCharacterIsWholeWhereverALongRunOfTextBreaks)
{
    // A run of text without a control word is decoded in pieces: a character whose lead byte
    // ends one piece must still meet its trail byte.
    const QString japones = QString::fromUtf8("あ");
    for (const int antes : {65534, 65535, 65536, 131071}) {
        SCOPED_TRACE(antes);
        const QByteArray rtf = "{\\rtf1\\ansi\\ansicpg932 " + QByteArray(antes, 'a')
            + "\x82\xa0"
              "b}";
        EXPECT_EQ(LeOuFalha(rtf).PlainText(), QString(antes, QLatin1Char('a')) + japones + QStringLiteral("b"));
    }
}
