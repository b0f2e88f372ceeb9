#pragma once
#include <QByteArray>

// Sets one key of an INI text held as bytes (single-byte text, CR LF lines; LF alone is read too),
// keeping every other line as it is. Sections and keys match without regard to case; a missing
// key is added at the end of its section, a missing section at the end of the text.
QByteArray AtribuiChaveIni(const QByteArray& texto, const QByteArray& secao, const QByteArray& chave,
                           const QByteArray& valor);
