#pragma once
#include <QByteArray>
#include <optional>

#include "components/data/richtext/TdvRtfDocument.h"

// Reads the subset of rich text the rich-text edit keeps: text, paragraphs, fonts and sizes,
// bold, italic, underline, strike-out, the colour table, highlight, alignment, indents, spacing,
// tab stops and bullets; table cells end with a tab and rows with a paragraph. Bytes of text
// (\'hh escapes and literal ones) are read in the code page of their font (\fcharset, \cpg) or of
// the document (\ansicpg), through Qt's converters; Windows-1252 when none is declared or Qt has
// no converter for it. Other destinations are skipped whole, other control words ignored.
// Bytes from outside are never trusted: nesting, numbers and skips are bounded, every step
// consumes input, and the read ends with the bytes even when groups stay open.
class TdvRtfReader final {
public:
    // Nothing when the bytes do not start as rich text ("{\rtf").
    [[nodiscard]] static std::optional<TdvRtfDocument> Read(const QByteArray& bytes);
    [[nodiscard]] static bool IsRtf(const QByteArray& bytes);
};
