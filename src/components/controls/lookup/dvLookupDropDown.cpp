#include "components/controls/lookup/dvLookupDropDown.h"

#include <algorithm>

int dvLookupDropDownRows(int dropDownCount, int recordCount)
{
    int linhas = dropDownCount > 0 ? dropDownCount : 1;
    if (recordCount >= 0 && recordCount < linhas)
        linhas = recordCount;
    return std::max(linhas, 1);
}

int dvLookupDropDownHeight(int rows, bool titles, bool rowLines, int rowHeight)
{
    const int t = titles ? 1 : 0;
    const int l = rowLines ? 1 : 0;
    return (rows + t) * (rowHeight + l) + 2 + 3 * t;
}

int dvLookupNaturalWidth(int thumbWidth, const int* displayWidths, const int* titleWidths, int columns, int zeroWidth,
                         int gridLineWidth, bool titles)
{
    int largura = thumbWidth + 1;
    for (int i = 0; i < columns; ++i) {
        int coluna = displayWidths[i] * zeroWidth + gridLineWidth;
        if (titles && titleWidths && titleWidths[i] > coluna)
            coluna = titleWidths[i];
        largura += coluna;
    }
    return largura;
}

TRect dvLookupDropDownBounds(const TdvLookupDropDownInput& in)
{
    const int t = in.Titles ? 1 : 0;
    const int l = in.RowLines ? 1 : 0;
    int altura = dvLookupDropDownHeight(in.Rows, in.Titles, in.RowLines, in.RowHeight);
    const int colunas = in.GridLineWidth * in.ColumnCount + in.ButtonWidth;

    int largura = in.DropDownWidth > 0 ? in.DropDownWidth : in.NaturalWidth + colunas;
    int esquerda = in.X;
    if (in.RightAligned) {
        largura = std::max(in.ComboWidth - 4, std::min(in.X - in.Screen.Left + in.ComboWidth - 2, largura));
        esquerda = in.X + 1 + in.ComboWidth - largura;
    } else {
        largura = std::max(in.ComboWidth - 4, std::min(in.Screen.Right - in.X - 2, largura));
    }
    // Columns cut off: the grid shows a horizontal scroll bar, and grows by it.
    if (largura <= in.NaturalWidthButLast + colunas + 1 && in.Rows > 0)
        altura = in.HorzScrollHeight + (in.RowHeight + l) * (t + in.Rows) + 5 - (in.RowLines ? 2 : 0);

    const int abaixo = in.Y + in.ComboHeight - (in.BorderNone ? 0 : 1);
    int topo = abaixo;
    if (topo + altura > in.Screen.Bottom) {
        topo = in.Y - altura + 1;
        if (topo < in.Screen.Top)
            topo = abaixo;
    }
    return {esquerda, topo, esquerda + largura, topo + altura};
}
