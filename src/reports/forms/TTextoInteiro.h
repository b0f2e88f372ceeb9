#pragma once
#include <QFont>
#include <QString>

class TBanda;
class TRotulo;

// A text a reader must have whole (a name, an e-mail) on a label of a band, held to its room:
// from the label's left edge to Direita, on the label's baseline, in the label's own size where
// it fits and in a smaller one where it does not (EncolheNaColuna); but where one line would print
// no larger than PontosLegiveis (sizes print in whole pixels of the recording device), the text
// goes on over two lines, the second on a label of its own under the first (named as the label,
// with "2"), both in the largest size that holds them in the room and above Fundo, when that
// prints larger than the one line. Otherwise it stays one whole line in the size that holds it.
class TTextoInteiro final {
public:
    // Rotulo, a label of Banda, is placed and in its full size. Fundo: where, under the label,
    // what else the band prints begins.
    TTextoInteiro(TBanda& Banda, TRotulo& Rotulo, qreal Direita, qreal Fundo);
    TTextoInteiro(const TTextoInteiro&) = delete;
    TTextoInteiro& operator=(const TTextoInteiro&) = delete;

    // The label's left edge may have moved since the last text.
    void Preenche(const QString& Texto);

    [[nodiscard]] bool EmDuasLinhas() const;
    // Where the text's last line ends, under the label's top.
    [[nodiscard]] qreal Fim() const;

    // The two lines of the text no wider than Largura in Fonte: broken at the last blank that
    // lets the first line fit, else after the last of ".@-_/" that does, else between characters;
    // empty when the rest does not fit the second line.
    [[nodiscard]] static QStringList DivideEmDuas(const QFont& Fonte, const QString& Texto, qreal Largura);

private:
    TRotulo& FRotulo;
    TRotulo& FSegunda;
    QFont FFonte;
    qreal FDireita;
    qreal FFundo;
};
