#pragma once
#include <QByteArray>

class TLinhaFixa;

// The rule that keeps the value lines (types 2 and 5) in strictly increasing order of their key:
// positions 10 to 42 (declarant, code, beneficiary kind and number) followed by position 688
// (the identifier), 34 bytes compared byte by byte.
class TOrdemRegistros final {
public:
    static constexpr int TamanhoChave = 34;

    TOrdemRegistros() { Reinicia(); }

    // The last key becomes 34 zeros: each establishment's lines, and its annexes' lines, start anew.
    void Reinicia() { FUltima = QByteArray(TamanhoChave, '0'); }
    [[nodiscard]] static QByteArray Chave(const TLinhaFixa& Linha);
    // True, and the line's key becomes the last one, when it is above the last one.
    bool Aceita(const TLinhaFixa& Linha);
    [[nodiscard]] const QByteArray& Ultima() const { return FUltima; }

private:
    QByteArray FUltima;
};
