#pragma once
#include <QByteArray>
#include <optional>

#include "components/data/TdvRtfDocument.h"

// Reads the subset of rich text the rich-text edit keeps: text, paragraphs, fonts and sizes,
// bold, italic, underline, strike-out, the colour table, highlight, alignment, indents, spacing,
// tab stops and bullets; \'hh escapes are Windows-1252. Other destinations are skipped whole,
// other control words ignored.
// Bytes from outside are never trusted: nesting, numbers and skips are bounded, every step
// consumes input, and the read ends with the bytes even when groups stay open.
class TdvRtfReader final {
public:
    // Nothing when the bytes do not start as rich text ("{\rtf").
    [[nodiscard]] static std::optional<TdvRtfDocument> Read(const QByteArray& bytes);
    [[nodiscard]] static bool IsRtf(const QByteArray& bytes);
};
