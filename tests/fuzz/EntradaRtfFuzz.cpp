#include "EntradaRtfFuzz.h"

#include <QByteArray>
#include <cstdio>
#include <cstdlib>

#include "components/data/richtext/TdvRtfReader.h"
#include "components/data/richtext/TdvRtfWriter.h"

int LeRtfFuzz(const std::uint8_t* Dados, std::size_t Tamanho)
{
    // The reader only takes bytes that start as rich text: let every input be one.
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(Dados), static_cast<qsizetype>(Tamanho));
    if (!TdvRtfReader::IsRtf(bytes))
        bytes.prepend("{\\rtf1 ");
    const auto lido = TdvRtfReader::Read(bytes);
    if (!lido || lido->Paragraphs.empty()) {
        std::fprintf(stderr, "rich text not read\n");
        std::abort();
    }
    const auto relido = TdvRtfReader::Read(TdvRtfWriter::Write(*lido));
    if (!relido || !(*relido == *lido)) {
        std::fprintf(stderr, "rich text changed through the writer\n");
        std::abort();
    }
    return 0;
}
