#pragma once
#include <QString>

class TLeitorLinhas;

// The line an import is at: its text and its number in the file (from 1). The readers of
// groups of lines read ahead and leave here the first line after the group.
struct TLinhaLida {
    QString Texto;
    int Numero = 0;
    bool Presente = false;   // false once the file has no further line (or could not be read)

    // Reads the next line of the file into this one.
    bool Proxima(TLeitorLinhas& Leitor);
};
