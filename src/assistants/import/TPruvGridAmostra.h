#pragma once
#include <QString>
#include <vector>

#include "screens/grids/TPruvCustomGrid.h"

// What the import assistant's two sample grids share: a read-only grid of Colunas columns with
// a title row and its own texts for rows 1 to 21, painted with each column's alignment.
class TPruvGridAmostra : public TPruvCustomGrid {
    Q_OBJECT
public:
    static constexpr int Linhas = 22;   // the title row and the rows that keep texts

    [[nodiscard]] QString GetTexto(int ACol, int ARow) override;
    // Rows 1 to 21; anything else is not kept.
    void SetTexto(int ACol, int ARow, const QString& Value) override;
    // alEsquerda, alDireita or alCentro.
    [[nodiscard]] virtual int Alinhamento(int ACol) const = 0;

    // The width of a column that has Minima at least and a text LarguraTexto pixels wide: the text
    // with the cell's margins on both sides.
    [[nodiscard]] static int LarguraColuna(int Minima, int LarguraTexto);

protected:
    // Titulos: the title row, one per column.
    TPruvGridAmostra(const QStringList& Titulos, int Linhas, QWidget* parent);
    void DesenhaCelula(int ACol, int ARow, TGridDrawState State, const TRect& Rect) override;
    // The width a column keeps at least; it grows to its title and its texts in the grid's font.
    void DefineLarguraMinima(int ACol, int Largura);
    // Back to the minimum widths, widened to the titles and the texts kept.
    void AjustaLarguras();

private:
    [[nodiscard]] int LarguraNecessaria(int ACol) const;
    [[nodiscard]] int LarguraDoTitulo(int ACol) const;

    int FColunas;
    std::vector<QString> FTextos;   // row by row
    std::vector<int> FMinimas;
};
