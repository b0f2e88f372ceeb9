#include "components/controls/richtext/dvRichDocument.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <cmath>

namespace dvRichDocument {

namespace {

enum : int {
    PropLeft = QTextFormat::UserProperty + 1,
    PropRight,
    PropFirst,
    PropBefore,
    PropAfter,
    PropLine,
    PropLineMultiple,
    PropTabs,
};

double Pixels(int twips)
{
    return twips / TwipsPorPixel;
}

int Twips(const QTextBlockFormat& f, int propriedade, double pixels)
{
    const QVariant guardado = f.property(propriedade);
    if (guardado.isValid() && std::fabs(Pixels(guardado.toInt()) - pixels) < 0.5)
        return guardado.toInt();
    return static_cast<int>(std::lround(pixels * TwipsPorPixel));
}

}   // namespace

TdvRtfCharFormat FormatoDe(const QTextCharFormat& f, const QFont& padrao)
{
    TdvRtfCharFormat r;
    const QStringList familias = f.fontFamilies().toStringList();
    r.Font = familias.isEmpty() ? QString() : familias.first();
    const double pontos = f.fontPointSize() > 0 ? f.fontPointSize() : padrao.pointSizeF();
    r.HalfPoints = pontos > 0 ? static_cast<int>(std::lround(pontos * 2)) : 24;
    r.Bold = f.fontWeight() >= QFont::Bold;
    r.Italic = f.fontItalic();
    r.Underline = f.fontUnderline();
    r.StrikeOut = f.fontStrikeOut();
    if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
        r.Color = static_cast<int>(f.foreground().color().rgb() & 0xFFFFFF);
    if (f.hasProperty(QTextFormat::BackgroundBrush) && f.background().style() != Qt::NoBrush)
        r.Highlight = static_cast<int>(f.background().color().rgb() & 0xFFFFFF);
    return r;
}

QTextCharFormat FormatoDeTexto(const TdvRtfCharFormat& r)
{
    QTextCharFormat f;
    if (!r.Font.isEmpty())
        f.setFontFamilies(QStringList{r.Font});
    f.setFontPointSize(r.HalfPoints / 2.0);
    f.setFontWeight(r.Bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(r.Italic);
    f.setFontUnderline(r.Underline);
    f.setFontStrikeOut(r.StrikeOut);
    if (r.Color >= 0)
        f.setForeground(QColor(QRgb(static_cast<unsigned>(r.Color))));
    if (r.Highlight >= 0)
        f.setBackground(QColor(QRgb(static_cast<unsigned>(r.Highlight))));
    return f;
}

TdvRtfParagraph ParagrafoDe(const QTextBlock& bloco)
{
    const QTextBlockFormat f = bloco.blockFormat();
    TdvRtfParagraph p;
    const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
    p.Alignment = a & Qt::AlignHCenter ? TdvRtfAlignment::Center
        : a & Qt::AlignRight           ? TdvRtfAlignment::Right
        : a & Qt::AlignJustify         ? TdvRtfAlignment::Justify
                                       : TdvRtfAlignment::Left;
    p.LeftIndent = Twips(f, PropLeft, f.leftMargin());
    p.RightIndent = Twips(f, PropRight, f.rightMargin());
    p.FirstIndent = Twips(f, PropFirst, f.textIndent());
    p.SpaceBefore = Twips(f, PropBefore, f.topMargin());
    p.SpaceAfter = Twips(f, PropAfter, f.bottomMargin());
    p.LineSpacing = f.property(PropLine).toInt();
    p.LineMultiple = f.property(PropLineMultiple).toBool();
    const QVariant tabs = f.property(PropTabs);
    if (tabs.isValid()) {
        for (const QVariant& t : tabs.toList())
            p.Tabs.append(t.toInt());
    } else {
        for (const QTextOption::Tab& t : f.tabPositions())
            p.Tabs.append(static_cast<int>(std::lround(t.position * TwipsPorPixel)));
    }
    p.Bullet = bloco.textList() != nullptr;
    return p;
}

void AplicaParagrafo(QTextCursor& cursor, const TdvRtfParagraph& p)
{
    QTextBlockFormat f = cursor.blockFormat();
    switch (p.Alignment) {
    case TdvRtfAlignment::Left:
        f.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
        break;
    case TdvRtfAlignment::Center:
        f.setAlignment(Qt::AlignHCenter);
        break;
    case TdvRtfAlignment::Right:
        f.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
        break;
    case TdvRtfAlignment::Justify:
        f.setAlignment(Qt::AlignJustify);
        break;
    }
    f.setLeftMargin(Pixels(p.LeftIndent));
    f.setProperty(PropLeft, p.LeftIndent);
    f.setRightMargin(Pixels(p.RightIndent));
    f.setProperty(PropRight, p.RightIndent);
    f.setTextIndent(Pixels(p.FirstIndent));
    f.setProperty(PropFirst, p.FirstIndent);
    f.setTopMargin(Pixels(p.SpaceBefore));
    f.setProperty(PropBefore, p.SpaceBefore);
    f.setBottomMargin(Pixels(p.SpaceAfter));
    f.setProperty(PropAfter, p.SpaceAfter);
    f.setProperty(PropLine, p.LineSpacing);
    f.setProperty(PropLineMultiple, p.LineMultiple);
    if (p.LineSpacing == 0)
        f.setLineHeight(0, QTextBlockFormat::SingleHeight);
    else if (p.LineMultiple)
        f.setLineHeight(std::abs(p.LineSpacing) * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
    else if (p.LineSpacing > 0)
        f.setLineHeight(Pixels(p.LineSpacing), QTextBlockFormat::MinimumHeight);
    else
        f.setLineHeight(Pixels(-p.LineSpacing), QTextBlockFormat::FixedHeight);
    QList<QTextOption::Tab> tabs;
    QVariantList twips;
    for (const int t : p.Tabs) {
        tabs.append(QTextOption::Tab(Pixels(t), QTextOption::LeftTab));
        twips.append(t);
    }
    f.setTabPositions(tabs);
    f.setProperty(PropTabs, twips);
    cursor.setBlockFormat(f);

    QTextList* lista = cursor.currentList();
    if (p.Bullet && !lista) {
        // Joins the bullet list of the paragraph before, so that a run of bullets is one list.
        const QTextBlock anterior = cursor.block().previous();
        if (anterior.isValid() && anterior.textList()
            && anterior.textList()->format().style() == QTextListFormat::ListDisc)
            anterior.textList()->add(cursor.block());
        else
            cursor.createList(QTextListFormat::ListDisc);
    } else if (!p.Bullet && lista) {
        lista->remove(cursor.block());
        QTextBlockFormat semLista = cursor.blockFormat();
        semLista.setIndent(0);
        cursor.setBlockFormat(semLista);
    }
}

TdvRtfDocument Extrai(const QTextDocument& documento, int de, int ate)
{
    TdvRtfDocument r;
    const int fim = ate < 0 ? documento.characterCount() - 1 : ate;
    const QFont padrao = documento.defaultFont();
    for (QTextBlock bloco = documento.findBlock(de); bloco.isValid(); bloco = bloco.next()) {
        if (bloco.position() > fim || (bloco.position() == fim && !r.Paragraphs.empty()))
            break;
        TdvRtfParagraph p = ParagrafoDe(bloco);
        for (auto it = bloco.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            const int inicio = std::max(frag.position(), de);
            const int final = std::min(frag.position() + frag.length(), fim);
            if (final <= inicio)
                continue;
            const QString texto = frag.text().mid(inicio - frag.position(), final - inicio);
            const TdvRtfCharFormat formato = FormatoDe(frag.charFormat(), padrao);
            if (!p.Runs.empty() && p.Runs.back().Format == formato)
                p.Runs.back().Text += texto;
            else
                p.Runs.push_back({texto, formato});
        }
        r.Paragraphs.push_back(std::move(p));
    }
    if (r.Paragraphs.empty())
        r.Paragraphs.emplace_back();
    return r;
}

void Insere(QTextCursor& cursor, const TdvRtfDocument& documento)
{
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    bool primeiro = true;
    for (const TdvRtfParagraph& p : documento.Paragraphs) {
        if (!primeiro)
            cursor.insertBlock();
        if (!primeiro || cursor.atBlockStart())
            AplicaParagrafo(cursor, p);
        primeiro = false;
        for (const TdvRtfRun& r : p.Runs)
            cursor.insertText(r.Text, FormatoDeTexto(r.Format));
    }
    cursor.endEditBlock();
}

}   // namespace dvRichDocument
