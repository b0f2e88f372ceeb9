#pragma once
#include <QPageLayout>
#include <QPageSize>
#include <QSizeF>

enum class TOrientacao { Retrato, Paisagem };

// The paper of a report: size, orientation and margins. Sizes and margins are in report units.
//
// Paper codes are the printer-driver numbers the program stores and compares: 1 Letter,
// 2 Letter small, 3 Tabloid, 4 Ledger, 5 Legal, 6 Statement, 7 Executive, 8 A3, 9 A4,
// 10 A4 small, 11 A5, 12 B4, 13 B5, 14 Folio, 24 C, 25 D, 26 E.
class TPapel final {
public:
    TPapel();   // A4 portrait, margins of 10 mm

    [[nodiscard]] int Codigo() const { return FCodigo; }
    // A code outside 1 to 14 and 24 to 26 becomes 1 (Letter).
    void DefineCodigo(int codigo);
    [[nodiscard]] TOrientacao Orientacao() const { return FOrientacao; }
    void DefineOrientacao(TOrientacao orientacao) { FOrientacao = orientacao; }

    qreal MargemSuperior = 0;
    qreal MargemInferior = 0;
    qreal MargemEsquerda = 0;
    qreal MargemDireita = 0;
    void DefineMargensEmMilimetros(qreal superior, qreal inferior, qreal esquerda, qreal direita);

    // The paper as it lies (landscape swaps the sides).
    [[nodiscard]] qreal Largura() const;
    [[nodiscard]] qreal Altura() const;
    // Width between the side margins: the width of every band.
    [[nodiscard]] qreal LarguraUtil() const { return Largura() - MargemEsquerda - MargemDireita; }

    [[nodiscard]] QPageSize Tamanho() const;
    // The layout a printer takes: this size and orientation, no margins (the report places
    // everything itself, from the corner of the paper).
    [[nodiscard]] QPageLayout Leiaute() const;

    [[nodiscard]] static bool CodigoValido(int codigo);
    [[nodiscard]] static QPageSize::PageSizeId TamanhoDoCodigo(int codigo);
    // The code of a paper size; 0 when the size has none.
    [[nodiscard]] static int CodigoDoTamanho(QPageSize::PageSizeId tamanho);

private:
    int FCodigo = 9;
    TOrientacao FOrientacao = TOrientacao::Retrato;
};
