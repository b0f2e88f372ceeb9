#pragma once

// The range and position a progress gauge keeps: an inverted range collapses to its start, and
// a position outside the range is brought to its nearest end.
struct TFaixaProgresso {
    int Minimo = 0;
    int Maximo = 100;
    int Posicao = 0;

    void Define(int minimo, int maximo);   // the position goes to minimo
    void Posiciona(int posicao);
};
