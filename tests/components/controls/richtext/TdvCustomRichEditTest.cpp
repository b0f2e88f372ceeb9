#include <QBuffer>
#include <QTest>
#include <QTextBlock>
#include <gtest/gtest.h>

#include "TextoPdf.h"
#include "components/controls/richtext/TdvCustomRichEdit.h"
#include "components/data/richtext/TdvRtfReader.h"
#include "components/data/richtext/TdvRtfWriter.h"
#include "components/controls/richtext/dvRichOle.h"
#include "platform/report/printing/ImpressorasSimuladas.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "support/ProgramaDeTeste.h"

namespace {

TdvRtfDocument UmParagrafo(const TdvRtfParagraph& p)
{
    return TdvRtfDocument{{p}};
}

TdvRtfParagraph Com(const QString& texto, TdvRtfCharFormat f = {})
{
    TdvRtfParagraph p;
    p.Runs.push_back({texto, f});
    return p;
}

}   // namespace

TEST(TdvCustomRichEdit, EachSupportedFormatStreamsInAndOutUnchanged)
{
    TdvRtfCharFormat fonte;
    fonte.Font = QStringLiteral("Liberation Serif");
    fonte.HalfPoints = 30;
    TdvRtfCharFormat efeitos;
    efeitos.Bold = efeitos.Italic = efeitos.Underline = efeitos.StrikeOut = true;
    TdvRtfCharFormat cores;
    cores.Color = 0x008000;
    cores.Highlight = 0xFFFF00;
    TdvRtfParagraph direita = Com(QStringLiteral("direita"));
    direita.Alignment = TdvRtfAlignment::Right;
    TdvRtfParagraph recuos = Com(QStringLiteral("recuos\tcom tab"));
    recuos.LeftIndent = 1440;
    recuos.FirstIndent = -720;
    recuos.RightIndent = 567;
    recuos.Tabs = {567, 2880};
    TdvRtfParagraph espaco = Com(QStringLiteral("espaco"));
    espaco.SpaceBefore = 120;
    espaco.SpaceAfter = 60;
    espaco.LineSpacing = 360;
    espaco.LineMultiple = true;
    TdvRtfParagraph marcador = Com(QStringLiteral("item"));
    marcador.Bullet = true;
    TdvRtfParagraph misto = Com(QStringLiteral("a "));
    misto.Runs.push_back({QStringLiteral("b"), efeitos});

    const struct {
        const char* nome;
        TdvRtfDocument documento;
    } casos[] = {
        {"font and size", UmParagrafo(Com(QStringLiteral("face"), fonte))},
        {"effects", UmParagrafo(Com(QStringLiteral("forte"), efeitos))},
        {"colours", UmParagrafo(Com(QStringLiteral("cor"), cores))},
        {"alignment", UmParagrafo(direita)},
        {"indents and tabs", UmParagrafo(recuos)},
        {"spacing", UmParagrafo(espaco)},
        {"bullets", TdvRtfDocument{{marcador, marcador, Com(QStringLiteral("fim"))}}},
        {"runs and paragraphs", TdvRtfDocument{{misto, TdvRtfParagraph(), Com(QString::fromUtf8("ação €"))}}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        TdvCustomRichEdit edit;
        const QByteArray rtf = TdvRtfWriter::Write(c.documento);
        edit.LoadFromBytes(rtf);
        EXPECT_EQ(edit.RichText(), rtf);
        EXPECT_FALSE(edit.Modified());
    }
}

TEST(TdvCustomRichEdit, PlainTextStreamsAsPlainTextWithEveryLineEndExpanded)
{
    const struct {
        QByteArray entrada;
        bool plainText;
        QStringList linhas;
    } casos[] = {
        {"a\nb\rc\r\nd", false, {"a", "b", "c", "d"}},
        {"a\n\nb", false, {"a", "", "b"}},
        {"{\\rtf1 x\\par y}", true, {"{\\rtf1 x\\par y}"}},
        {"", false, {}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.entrada.toStdString());
        TdvCustomRichEdit edit;
        edit.PlainText = c.plainText;
        QBuffer buffer;
        buffer.setData(c.entrada);
        ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
        edit.Lines().LoadFromStream(buffer);
        EXPECT_EQ(edit.Lines().ToStringList(), c.linhas);
        if (c.plainText) {
            EXPECT_EQ(edit.SaveToBytes(), c.entrada);
        }
    }
    TdvCustomRichEdit edit;
    edit.PlainText = true;
    edit.SetText(QStringLiteral("um\ndois"));
    EXPECT_EQ(edit.SaveToBytes(), QByteArray("um\r\ndois"));
}

TEST(TdvCustomRichEdit, AStreamThatCannotBeReadFailsToLoad)
{
    TdvCustomRichEdit edit;
    QBuffer fechado;
    EXPECT_THROW(edit.LoadFromStreamAs(fechado, false), std::runtime_error);
}

TEST(TdvCustomRichEdit, ABlockLimitLoadsOnlyTheStart)
{
    TdvCustomRichEdit edit;
    QBuffer buffer;
    buffer.setData(QByteArray(5000, 'x') + "fim");
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    edit.LoadFromStreamAs(buffer, false, 1);
    EXPECT_EQ(edit.Text(), QString(2048, QLatin1Char('x')));
}

TEST(TdvCustomRichEdit, LinesChangeTheParagraphsInPlace)
{
    TdvCustomRichEdit edit;
    TdvRichEditStrings& l = edit.Lines();
    EXPECT_EQ(l.Count(), 0);
    l.Add(QStringLiteral("b"));
    l.Insert(0, QStringLiteral("a"));
    l.Add(QStringLiteral("d"));
    l.Insert(2, QStringLiteral("c"));
    EXPECT_EQ(l.ToStringList(), (QStringList{"a", "b", "c", "d"}));
    l.Put(1, QStringLiteral("B"));
    l.Delete(3);
    l.Delete(0);
    EXPECT_EQ(l.Text(), QStringLiteral("B\r\nc"));
    l.Clear();
    EXPECT_EQ(l.Count(), 0);
}

class BuscaRich : public ::testing::Test {
protected:
    // Runs a search on the text with the caret at posicao; returns the text after it.
    QString Substitui(const QString& texto, const QString& procura, const QString& por, int posicao = 0)
    {
        edit.SetText(texto);
        QTextCursor c = edit.textCursor();
        c.setPosition(posicao);
        edit.setTextCursor(c);
        edit.BeginSearch();
        edit.LastSearchText = procura;
        edit.ReplaceMatch(por, true);
        return edit.Text();
    }

    DialogosRoteirizados dialogos;
    TdvCustomRichEdit edit;
};

TEST_F(BuscaRich, ReplaceAllReplacesEveryMatchExactlyOnce)
{
    const struct {
        const char* texto;
        const char* procura;
        const char* por;
        int caret;
        const char* resultado;
    } casos[] = {
        {"aaa", "a", "b", 0, "bbb"},
        {"aaa", "a", "aa", 0, "aaaaaa"},   // the replacement holds the match: no second pass over it
        {"aaa", "a", "", 0, ""},
        {"xa ya za", "a", "bb", 3, "xbb ybb zbb"},   // wraps around and stops where it began
        {"Casa casa", "casa", "lar", 0, "lar lar"},
        {"sem nada", "z", "y", 0, "sem nada"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(Substitui(QLatin1String(c.texto), QLatin1String(c.procura), QLatin1String(c.por), c.caret),
                  QLatin1String(c.resultado));
        EXPECT_EQ(dialogos.Textos().last(), QStringLiteral("No more matches found"));
    }
}

TEST_F(BuscaRich, FindWrapsOnceAndThenReportsNoMoreMatches)
{
    edit.SetText(QStringLiteral("um dois um tres"));
    QTextCursor c = edit.textCursor();
    c.setPosition(5);
    edit.setTextCursor(c);
    edit.BeginSearch();
    edit.LastSearchText = QStringLiteral("um");
    ASSERT_TRUE(edit.FindNextMatch());
    EXPECT_EQ(edit.textCursor().selectionStart(), 8);
    ASSERT_TRUE(edit.FindNextMatch());
    EXPECT_EQ(edit.textCursor().selectionStart(), 0);
    EXPECT_FALSE(edit.FindNextMatch());
    EXPECT_EQ(dialogos.Textos(), QStringList{QStringLiteral("No more matches found")});
    // The search starts afresh from the caret.
    EXPECT_TRUE(edit.FindNextMatch());
}

TEST_F(BuscaRich, WholeWordAndMatchCaseNarrowTheSearch)
{
    edit.SetText(QStringLiteral("Ana banana ana"));
    const struct {
        unsigned opcoes;
        int achado;
    } casos[] = {
        {0, 0},
        {TdvCustomRichEdit::soWholeWord | TdvCustomRichEdit::soMatchCase, 11},
        {TdvCustomRichEdit::soMatchCase, 5},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.opcoes);
        edit.moveCursor(QTextCursor::Start);
        edit.BeginSearch();
        ASSERT_TRUE(edit.SearchStep(QStringLiteral("ana"), nullptr, c.opcoes, false));
        EXPECT_EQ(edit.textCursor().selectionStart(), c.achado);
    }
    EXPECT_EQ(edit.FindTextUpward(QStringLiteral("ana"), 13, 13, TdvCustomRichEdit::soWholeWord), 11);
    EXPECT_EQ(edit.FindTextUpward(QStringLiteral("ana"), 10, 10, TdvCustomRichEdit::soWholeWord), 0);
}

TEST(TdvCustomRichEdit, RemovingHighlightKeepsTheTextThatNamesIt)
{
    TdvCustomRichEdit edit;
    edit.SetText(QStringLiteral("\\highlight1 texto"));
    edit.selectAll();
    edit.SetSelectionHighlight(Qt::yellow);
    edit.selectAll();
    EXPECT_EQ(edit.GetSelectionHighlight(), QColor(Qt::yellow));
    edit.SetSelectionHighlight(QColor());
    const auto d = TdvRtfReader::Read(edit.RichText());
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->PlainText(), QStringLiteral("\\highlight1 texto"));
    EXPECT_EQ(d->Paragraphs[0].Runs[0].Format.Highlight, -1);
}

TEST(TdvCustomRichEdit, ParagraphFormatsAreSetAndReadInTwips)
{
    TdvCustomRichEdit edit;
    edit.SetText(QStringLiteral("um"));
    TdvParagraphFormat f;
    f.Changes = TdvParagraphFormat::Alignment | TdvParagraphFormat::StartIndent | TdvParagraphFormat::Offset
        | TdvParagraphFormat::RightIndent | TdvParagraphFormat::TabStops | TdvParagraphFormat::LineSpacing
        | TdvParagraphFormat::SpaceBefore;
    f.AlignmentCaption = QStringLiteral("Right");
    f.StartIndentValue = 720;
    f.OffsetValue = 360;
    f.RightIndentValue = 100;
    f.Tabs = {2000, 1000, 2000};
    f.LineSpacingRule = 1;
    f.SpaceBeforeValue = 240;
    edit.SetParagraphFormat(f);
    const TdvParagraphFormat lido = edit.GetParagraphFormat();
    EXPECT_EQ(lido.Align, 2);
    EXPECT_EQ(lido.StartIndentValue, 720);
    EXPECT_EQ(lido.OffsetValue, 360);
    EXPECT_EQ(lido.RightIndentValue, 100);
    EXPECT_EQ(lido.Tabs, (QList<int>{1000, 2000}));
    EXPECT_EQ(lido.LineSpacingRule, 5);
    EXPECT_EQ(lido.LineSpacingValue, 30);
    EXPECT_EQ(lido.SpaceBeforeValue, 240);
    edit.SetBullet(true);
    EXPECT_TRUE(edit.GetParagraphFormat().Bullet);
    EXPECT_EQ(edit.GetParagraphFormat().OffsetValue, 720);
    edit.SetBullet(false);
    EXPECT_FALSE(edit.GetParagraphFormat().Bullet);
}

TEST(TdvCustomRichEdit, MeasurementsConvertBetweenTwipsAndTheUnit)
{
    using U = TdvMeasurementUnits;
    const struct {
        const char* texto;
        U unidade;
        bool valido;
        int twips;
    } leituras[] = {
        {"1''", U::muInches, true, 1440},
        {"1 cm", U::muCentimeters, true, 567},   // 1440 / 2.537 = 567.6, cut toward zero
        {"0,5", U::muInches, true, 720},
        {"-0.25 CM ", U::muCentimeters, true, -141},
        {"22", U::muInches, true, 31680},
        {"abc", U::muInches, false, 0},
        {"", U::muInches, false, 0},
    };
    for (const auto& c : leituras) {
        SCOPED_TRACE(c.texto);
        int twips = 0;
        EXPECT_EQ(dvParseMeasurement(QLatin1String(c.texto), c.unidade, twips), c.valido);
        if (c.valido) {
            EXPECT_EQ(twips, c.twips);
        }
    }
    EXPECT_EQ(dvTwipsToMeasurement(567, U::muCentimeters), 1.0);
    EXPECT_EQ(dvTwipsToMeasurement(720, U::muInches), 0.5);
    const struct {
        double valor;
        U unidade;
        int divisoes;
        const char* texto;
    } formatos[] = {
        {0.5, U::muInches, 0, "0,5''"},           {0.49, U::muInches, 0, "0,5''"},   // rounded to eighths
        {-0.5, U::muInches, 0, "-0,5''"},         {1.0, U::muCentimeters, 0, "1 cm"},
        {0.16, U::muCentimeters, 100, "0,16 cm"}, {0.9, U::muCentimeters, 0, "0,9 cm"},
    };
    for (const auto& c : formatos) {
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(dvFormatMeasurementRounded(c.valor, c.unidade, c.divisoes), QString::fromUtf8(c.texto));
    }
    const struct {
        const char* texto;
        bool dentro;
    } limites[] = {
        {"22", true},
        {"22.01", false},
        {"-22", true},
        {"-22,01", false},
    };
    for (const auto& c : limites) {
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(dvMeasurementInRange(QLatin1String(c.texto), U::muInches), c.dentro);
    }
}

TEST(TdvCustomRichEdit, PrintsPageByPageInsideTheMargins)
{
    ImpressorasSimuladas impressoras(ProgramaDeTeste::Pasta());
    TdvCustomRichEdit edit;
    QStringList linhas;
    for (int i = 1; i <= 120; ++i)
        linhas << QStringLiteral("Linha %1").arg(i);
    edit.SetText(linhas.join(QLatin1Char('\n')));
    edit.PrintMargins = {2.0, 2.0, 2.0, 1.0};
    ASSERT_TRUE(edit.Print(QStringLiteral("Notas")));
    ASSERT_EQ(impressoras.Arquivos().size(), 1);
    const QString pdf = impressoras.Arquivos().first();
    const QStringList paginas = TextoPdf::Paginas(pdf);
    ASSERT_GE(paginas.size(), 2);
    QStringList lido;
    for (const QString& p : paginas)
        lido += TextoPdf::Linhas(p);
    EXPECT_EQ(lido, linhas);   // every line once, in order, none cut between pages
    for (const TextoPdf::TPalavra& p : TextoPdf::Palavras(pdf)) {
        EXPECT_GE(p.Caixa.left(), 2 * 72 - 1) << p.Texto.toStdString();
        EXPECT_GE(p.Caixa.top(), 2 * 72 - 1) << p.Texto.toStdString();
        EXPECT_LE(p.Caixa.bottom(), TextoPdf::TamanhoPagina(pdf).height() - 2 * 72 + 1) << p.Texto.toStdString();
    }
}

TEST(TdvCustomRichEdit, WithoutAWordProcessorPrintingThroughItFailsWithItsMessage)
{
    DialogosRoteirizados dialogos;
    TdvCustomRichEdit edit;
    EXPECT_FALSE(edit.PrintThroughWord(QString()));
    EXPECT_EQ(dialogos.Textos(), QStringList{QStringLiteral("Unable to start Microsoft Word's Spell Checker.")});
    EXPECT_FALSE(edit.InsertObject());
}

TEST(TdvCustomRichEdit, ALinkClickedIsAskedAboutAndOpened)
{
    TdvCustomRichEdit edit;
    edit.resize(400, 100);
    edit.SetText(QStringLiteral("veja http://exemplo.org/x agora"));
    const QByteArray antes = edit.RichText();
    edit.SetAutoURLDetect(true);
    EXPECT_EQ(edit.UrlAt(10), QStringLiteral("http://exemplo.org/x"));
    EXPECT_EQ(edit.UrlAt(2), QString());
    EXPECT_FALSE(edit.Modified());
    EXPECT_EQ(edit.RichText(), antes);   // links are shown as links, not stored as such

    edit.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
    QStringList perguntas;
    QStringList abertas;
    bool deixa = false;
    edit.OnURLOpen = [&](TdvCustomRichEdit*, const QString& url, bool& abre) {
        perguntas << url;
        abre = deixa;
    };
    edit.AbreUrl = [&](const QString& url) { abertas << url; };
    QTextCursor c = edit.textCursor();
    c.setPosition(12);
    const QPoint ponto = edit.cursorRect(c).center();
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, {}, ponto);
    deixa = true;
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, {}, ponto);
    EXPECT_EQ(perguntas, QStringList(2, QStringLiteral("http://exemplo.org/x")));
    EXPECT_EQ(abertas, QStringList{QStringLiteral("http://exemplo.org/x")});

    edit.SetAutoURLDetect(false);
    EXPECT_EQ(edit.UrlAt(10), QString());
}

TEST(dvRichOle, TheKeysChooseTheDropEffectAmongThoseAllowed)
{
    using namespace dvDropEffect;
    const struct {
        bool arrastando;
        unsigned teclas;
        unsigned permitidos;
        unsigned efeito;
    } casos[] = {
        {true, KeyControl, Copy | Move, Copy | Move},   // while dragging nothing changes
        {false, 0, Copy | Move | Link, Move},
        {false, KeyControl, Copy | Move, Copy},
        {false, KeyControl | KeyShift, Copy | Move | Link, Link},
        {false, KeyControl, Move, Move},   // Ctrl where only moving is allowed
        {false, KeyControl | KeyShift, Copy | Move, Copy | Move},
        {false, 0, Copy, Copy},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.teclas << " " << c.permitidos);
        unsigned efeito = c.permitidos;
        dvRichDropEffect(c.arrastando, c.teclas, efeito);
        EXPECT_EQ(efeito, c.efeito);
    }
}
