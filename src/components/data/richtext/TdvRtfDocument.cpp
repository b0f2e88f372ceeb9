#include "components/data/richtext/TdvRtfDocument.h"

QString TdvRtfParagraph::Text() const
{
    QString texto;
    for (const TdvRtfRun& trecho : Runs)
        texto += trecho.Text;
    return texto;
}

QString TdvRtfDocument::PlainText() const
{
    QString texto;
    for (std::size_t i = 0; i < Paragraphs.size(); ++i) {
        if (i > 0)
            texto += QStringLiteral("\r\n");
        texto += Paragraphs[i].Text();
    }
    return texto;
}
