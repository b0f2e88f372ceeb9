#pragma once
#include <QString>

// A path as the user typed it in an assistant: the folder (absolute and without a trailing
// separator; a relative one taken under the assistant's current folder; "/" for the root; empty
// when the text names no folder) and the name after the last separator (empty when the text
// ends in one).
struct TCaminhoDigitado {
    QString Pasta;
    QString Nome;

    // Splits the trimmed text; Corrente is the folder a relative path starts from.
    [[nodiscard]] static TCaminhoDigitado Separa(const QString& Texto, const QString& Corrente);
    // Pasta + "/" + Nome, without a doubled separator.
    [[nodiscard]] static QString Junta(const QString& Pasta, const QString& Nome);
};
