#include <gtest/gtest.h>

#include "components/data/TdvRtfReader.h"
#include "components/data/TdvRtfWriter.h"

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

}  // namespace

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

    const struct { const char* nome; TdvRtfDocument documento; } casos[] = {
        {"plain", {{Paragrafo(QStringLiteral("texto simples"))}}},
        {"empty paragraph between", {{Paragrafo(QStringLiteral("a")), TdvRtfParagraph(), Paragrafo(QStringLiteral("b"))}}},
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
    const struct { const char* nome; QByteArray bytes; QString texto; } casos[] = {
        {"groups never closed", "{\\rtf1 abc{{{{", QStringLiteral("abc")},
        {"too many closing braces", "{\\rtf1 a}}}}b", QStringLiteral("ab")},
        {"deep nesting", "{\\rtf1 " + QByteArray(100000, '{') + "x" + QByteArray(100000, '}') + "y", QStringLiteral("xy")},
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
