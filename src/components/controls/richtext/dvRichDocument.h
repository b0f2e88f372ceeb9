#pragma once
#include <QFont>

#include "components/data/richtext/TdvRtfDocument.h"

class QTextBlock;
class QTextBlockFormat;
class QTextCharFormat;
class QTextCursor;
class QTextDocument;

// Between the rich-text edit's document and the widget-free rich text of the codec. Measures
// the document lays out in pixels (96 per inch) keep their twips beside them, so that what is
// streamed in comes out again to the twip.
namespace dvRichDocument {

constexpr double TwipsPorPixel = 15.0;

// The paragraphs and runs from position de to ate (-1: the end).
[[nodiscard]] TdvRtfDocument Extrai(const QTextDocument& documento, int de = 0, int ate = -1);
// Inserts at the cursor, in place of its selection; the cursor ends behind what came in.
void Insere(QTextCursor& cursor, const TdvRtfDocument& documento);

[[nodiscard]] TdvRtfCharFormat FormatoDe(const QTextCharFormat& formato, const QFont& padrao);
[[nodiscard]] QTextCharFormat FormatoDeTexto(const TdvRtfCharFormat& formato);
// The paragraph's formats, without its runs.
[[nodiscard]] TdvRtfParagraph ParagrafoDe(const QTextBlock& bloco);
void AplicaParagrafo(QTextCursor& cursor, const TdvRtfParagraph& paragrafo);

}   // namespace dvRichDocument
