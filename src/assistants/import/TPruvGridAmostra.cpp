#include "assistants/import/TPruvGridAmostra.h"

#include <QFontMetrics>
#include <QStringList>
#include <algorithm>

namespace {

constexpr int Margem = 3;   // on each side of a cell's text, as the cells are painted

}   // namespace

TPruvGridAmostra::TPruvGridAmostra(const QStringList& Titulos, int LinhasVisiveis, QWidget* parent)
    : TPruvCustomGrid(parent)
    , FColunas(static_cast<int>(Titulos.size()))
    , FTextos(Titulos.size() * Linhas)
    , FMinimas(Titulos.size(), 0)
{
    SetColCount(FColunas);
    SetRowCount(LinhasVisiveis);
    SetFixedCols(0);
    SetFixedRows(1);
    SetCol(0);
    SetRow(1);
    SetReadOnly(true);
    SetScrollBars(TScrollStyle::ssBoth);
    // The least widths are those of the layout's 8-point font; a wider font widens the columns.
    QFont fonte(QStringLiteral("Arial"));
    fonte.setPointSize(8);
    setFont(fonte);
    SetDefaultRowHeight(QFontMetrics(fonte).height() + 4);
    for (int c = 0; c < FColunas; ++c) {
        FTextos[c] = Titulos[c];
        FMinimas[c] = DefaultColWidth();
    }
    AjustaLarguras();
}

int TPruvGridAmostra::LarguraColuna(int Minima, int LarguraTexto)
{
    return std::max(Minima, LarguraTexto + 2 * Margem + 1);
}

void TPruvGridAmostra::DefineLarguraMinima(int ACol, int Largura)
{
    if (ACol < 0 || ACol >= FColunas)
        return;
    FMinimas[ACol] = Largura;
    SetColWidths(ACol, LarguraNecessaria(ACol));
}

void TPruvGridAmostra::AjustaLarguras()
{
    for (int c = 0; c < FColunas; ++c)
        SetColWidths(c, LarguraNecessaria(c));
}

int TPruvGridAmostra::LarguraDoTitulo(int ACol) const
{
    // The titles are painted in the grid's font, bold, at 9 points.
    QFont titulo = font();
    titulo.setBold(true);
    titulo.setPointSize(9);
    return LarguraColuna(FMinimas[ACol], QFontMetrics(titulo).horizontalAdvance(FTextos[ACol]));
}

int TPruvGridAmostra::LarguraNecessaria(int ACol) const
{
    const QFontMetrics medidas(font());
    int largura = LarguraDoTitulo(ACol);
    for (int l = 1; l < Linhas; ++l)
        largura = LarguraColuna(largura, medidas.horizontalAdvance(FTextos[l * FColunas + ACol]));
    return largura;
}

QString TPruvGridAmostra::GetTexto(int ACol, int ARow)
{
    if (ACol < 0 || ACol >= FColunas || ARow < 0 || ARow >= Linhas)
        return {};
    return FTextos[ARow * FColunas + ACol];
}

void TPruvGridAmostra::SetTexto(int ACol, int ARow, const QString& Value)
{
    if (ACol < 0 || ACol >= FColunas || ARow < 1 || ARow >= Linhas)
        return;
    FTextos[ARow * FColunas + ACol] = Value;
    // A text wider than its column widens it, so that a masked number never loses a digit.
    const int largura = LarguraColuna(ColWidths(ACol), QFontMetrics(font()).horizontalAdvance(Value));
    if (largura != ColWidths(ACol))
        SetColWidths(ACol, largura);
}

void TPruvGridAmostra::DesenhaCelula(int ACol, int ARow, TGridDrawState State, const TRect& Rect)
{
    if (ARow == 0)
        DesenhaCelulaTitulo(Rect, GetTexto(ACol, ARow), alCentro);
    else if (State & (gdSelected | gdFocused))
        DesenhaCelulaSelecionada(Rect, GetTexto(ACol, ARow), Alinhamento(ACol));
    else
        DesenhaCelulaNormal(Rect, GetTexto(ACol, ARow), Alinhamento(ACol));
}
