#include "components/data/richtext/dvRichText.h"

#include "components/data/richtext/TdvRtfReader.h"

bool dvIsRichText(const QByteArray& content)
{
    return TdvRtfReader::IsRtf(content);
}

QString dvRichTextToPlain(const QByteArray& content)
{
    const auto documento = TdvRtfReader::Read(content);
    if (!documento)
        return QString::fromLatin1(content);
    QString texto;
    for (const TdvRtfParagraph& p : documento->Paragraphs)
        texto += p.Text() + QLatin1Char('\n');
    texto.replace(QChar(0x2028), QLatin1Char('\n'))
        .replace(QChar(0xA0), QLatin1Char(' '))
        .replace(QChar(0x2011), QLatin1Char('-'));
    while (texto.endsWith(QLatin1Char('\n')))
        texto.chop(1);
    return texto;
}
