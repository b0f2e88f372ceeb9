#pragma once
#include <QByteArray>

#include "components/data/richtext/TdvRtfDocument.h"

// Writes a document as rich text that TdvRtfReader reads back to the same document: a font
// table and a colour table of what the runs use, then each paragraph with its own formats.
// Characters past 7 bits go as \'hh (Windows-1252, where it agrees with Latin-1) or \uN.
class TdvRtfWriter final {
public:
    [[nodiscard]] static QByteArray Write(const TdvRtfDocument& documento);
};
