#pragma once
#include <QString>

#include "platform/db/sqlite/TFieldType.h"

// One column of a table: its name, type and size (characters of a text, decimals of a BCD).
struct TFieldDef {
    QString Name;
    TFieldType DataType = ftUnknown;
    int Size = 0;
    bool Required = false;

    // Texto cut to Tamanho characters (none when 0), counted as SQLite counts them: a character
    // outside the basic plane is one, never split into a half that would be stored as "?".
    [[nodiscard]] static QString Corta(const QString& Texto, int Tamanho)
    {
        if (Tamanho <= 0 || Texto.size() <= Tamanho)
            return Texto;   // no more characters than UTF-16 units
        qsizetype fim = 0;
        for (int caracteres = 0; caracteres < Tamanho && fim < Texto.size(); ++caracteres) {
            const bool par = Texto.at(fim).isHighSurrogate() && fim + 1 < Texto.size()
                && Texto.at(fim + 1).isLowSurrogate();
            fim += par ? 2 : 1;
        }
        return Texto.left(fim);
    }
};
