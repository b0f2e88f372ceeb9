#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

// One line of a fixed-layout exchange file: single-byte characters, blank at first, whose
// fields are placed at 1-based byte positions. A field outside the line raises
// std::out_of_range (a fault of the layout, not of the data).
class TLinhaFixa final {
public:
    explicit TLinhaFixa(int Tamanho);

    // The text cut to Largura characters or padded on the right with blanks; a character
    // beyond Latin-1 takes one byte, "?", so that every later field keeps its position.
    void Texto(int Posicao, int Largura, const QString& Texto);
    // Bytes placed as they are, cut or padded with blanks.
    void Bytes(int Posicao, int Largura, QByteArrayView Bytes);
    // The number with leading zeros. False, and the field left as it was, when it is negative
    // or has more digits than Largura.
    bool Numero(int Posicao, int Largura, qint64 Valor);
    // The same field of another line.
    void Copia(const TLinhaFixa& Origem, int Posicao, int Largura);

    [[nodiscard]] const QByteArray& Bytes() const { return FBytes; }
    [[nodiscard]] QByteArrayView Campo(int Posicao, int Largura) const;
    [[nodiscard]] int Tamanho() const { return static_cast<int>(FBytes.size()); }

private:
    [[nodiscard]] char* Inicio(int Posicao, int Largura);

    QByteArray FBytes;
};
