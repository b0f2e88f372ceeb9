#pragma once
#include <QFont>
#include <QString>
#include <QStringList>

// Measures text in report units on the recording device, so that what is measured is what
// prints.
struct TMedidaTexto final {
    [[nodiscard]] static qreal Largura(const QFont& fonte, const QString& texto);
    // Height of one line: ascent plus descent, no leading.
    [[nodiscard]] static qreal AlturaLinha(const QFont& fonte);
    [[nodiscard]] static qreal Ascendente(const QFont& fonte);
    // Height of the capitals above the baseline.
    [[nodiscard]] static qreal AlturaMaiuscula(const QFont& fonte);
    // The longest start of the text no wider than largura, cut between characters (never
    // inside a letter), with the blanks at its end dropped.
    [[nodiscard]] static QString Corta(const QFont& fonte, const QString& texto, qreal largura);
    // Where a text of larguraTexto starts in a box of larguraCaixa, from the box's left edge:
    // 0 aligned left, the rest of the box aligned right, half of it centred.
    [[nodiscard]] static qreal Recuo(Qt::Alignment alinhamento, qreal larguraCaixa, qreal larguraTexto);

    // Breaks the text into lines no wider than largura: at line ends ("\n", "\r\n" or "\r"),
    // then between words; a word wider than the line is broken between characters. An empty
    // text gives no line; an empty paragraph gives an empty line.
    [[nodiscard]] static QStringList Quebra(const QFont& fonte, const QString& texto, qreal largura);

    // Height of the text broken at largura: its number of lines times the line height.
    [[nodiscard]] static qreal Altura(const QFont& fonte, const QString& texto, qreal largura);
};
