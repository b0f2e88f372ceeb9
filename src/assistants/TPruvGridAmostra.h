#pragma once
#include <QString>
#include <vector>

#include "screens/TPruvCustomGrid.h"

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

protected:
    // Titulos: the title row, one per column.
    TPruvGridAmostra(const QStringList& Titulos, int Linhas, QWidget* parent);
    void DesenhaCelula(int ACol, int ARow, TGridDrawState State, const TRect& Rect) override;

private:
    int FColunas;
    std::vector<QString> FTextos;   // row by row
};
