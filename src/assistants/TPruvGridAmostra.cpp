#include "assistants/TPruvGridAmostra.h"

#include <QFontMetrics>
#include <QStringList>

TPruvGridAmostra::TPruvGridAmostra(const QStringList& Titulos, int LinhasVisiveis, QWidget* parent)
    : TPruvCustomGrid(parent), FColunas(static_cast<int>(Titulos.size())), FTextos(Titulos.size() * Linhas)
{
    SetColCount(FColunas);
    SetRowCount(LinhasVisiveis);
    SetFixedCols(0);
    SetFixedRows(1);
    SetCol(0);
    SetRow(1);
    SetReadOnly(true);
    SetScrollBars(TScrollStyle::ssBoth);
    // The widths are those of the layout's 8-point font.
    QFont fonte(QStringLiteral("Arial"));
    fonte.setPointSize(8);
    setFont(fonte);
    SetDefaultRowHeight(QFontMetrics(fonte).height() + 4);
    for (int c = 0; c < FColunas; ++c)
        FTextos[c] = Titulos[c];
}

QString TPruvGridAmostra::GetTexto(int ACol, int ARow)
{
    if (ACol < 0 || ACol >= FColunas || ARow < 0 || ARow >= Linhas)
        return {};
    return FTextos[ARow * FColunas + ACol];
}

void TPruvGridAmostra::SetTexto(int ACol, int ARow, const QString& Value)
{
    if (ACol >= 0 && ACol < FColunas && ARow >= 1 && ARow < Linhas)
        FTextos[ARow * FColunas + ACol] = Value;
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
