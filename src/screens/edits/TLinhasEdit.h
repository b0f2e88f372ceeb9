#pragma once
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTextLayout>
#include <memory>
#include <vector>

class QPainter;

// The lines of a multi-line edit's text in a box of a given width: the text breaks at its own
// line breaks and, when it may not scroll sideways, also at the words that reach the box's edge.
// Positions are character positions in the whole text; points are in the box's coordinates,
// with the first line at the top.
class TLinhasEdit {
public:
    TLinhasEdit(const QString& texto, const QFont& fonte, qreal largura, bool quebraPalavras);

    [[nodiscard]] int Linhas() const { return static_cast<int>(FLinhas.size()); }
    [[nodiscard]] qreal Altura() const { return FAltura; }
    // The visual line that holds the caret at that position.
    [[nodiscard]] int LinhaDe(int posicao) const;
    // The caret's rectangle at that position (one pixel wide, a line high).
    [[nodiscard]] QRectF Cursor(int posicao) const;
    // The position nearest to the point.
    [[nodiscard]] int Posicao(QPointF ponto) const;
    // The position on the line above (-1) or below (+1) at the caret's x; the same position when
    // there is no such line.
    [[nodiscard]] int Vizinha(int posicao, int sentido) const;
    // Draws the text with the selection [inicio, fim) marked, from the point given.
    void Desenha(QPainter& p, QPointF origem, int inicio, int fim, const QColor& fundoSelecao,
                 const QColor& textoSelecao) const;

private:
    struct TParagrafo {
        int Inicio;   // in the whole text
        std::unique_ptr<QTextLayout> Layout;
    };
    struct TLinha {
        int Paragrafo;
        int Linha;   // within the paragraph's layout
    };

    [[nodiscard]] const TParagrafo& ParagrafoDe(int posicao) const;

    std::vector<TParagrafo> FParagrafos;
    std::vector<TLinha> FLinhas;
    qreal FAltura = 0;
};
