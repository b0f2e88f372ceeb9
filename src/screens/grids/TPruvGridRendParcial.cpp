#include "screens/grids/TPruvGridRendParcial.h"

#include <QPainter>
#include <cmath>

#include "model/statements/TComprovantePF.h"
#include "model/values/TErro.h"
#include "screens/grids/LinhasDeComprovante.h"

namespace {

constexpr int LinhasDeTitulo = 2;

}   // namespace

TPruvGridRendParcial::TPruvGridRendParcial(QWidget* parent)
    : TPruvCustomGrid(parent)
{
    SetMonetario(true);
    SetColCount(5);
    SetRowCount(3);
    SetFixedCols(3);
    SetFixedRows(LinhasDeTitulo);
    SetDefaultRowHeight(19);
    SetScrollBars(TScrollStyle::ssVertical);
    SetCtl3D(false);   // the painters draw the edges, and none inside a title box
    resize(590, 269);
    SelecionaCelula(3, LinhasDeTitulo);
}

TGridRect TPruvGridRendParcial::CaixaTitulo(int ACol, int ARow)
{
    if (ACol == 0)
        return {0, 0, 0, 1};
    if (ARow == 0)
        return ACol <= 2 ? TGridRect{1, 0, 2, 0} : TGridRect{3, 0, 4, 0};
    return {ACol, ARow, ACol, ARow};
}

int TPruvGridRendParcial::Linhas() const
{
    return FComprovante ? FComprovante->QuantidadeRendimentosParciais() : 0;
}

void TPruvGridRendParcial::SetComprovante(TComprovantePF* comprovante)
{
    FComprovante = comprovante;
    Atualiza();   // counts the statement's rows
}

QString TPruvGridRendParcial::GetTexto(int ACol, int ARow)
{
    if (ARow < LinhasDeTitulo) {
        const TGridRect caixa = CaixaTitulo(ACol, ARow);
        if (caixa.Left == 0)
            return QStringLiteral("Código");
        if (caixa.Top == 0 && caixa.Bottom == 0 && ARow == 0)
            return caixa.Left == 1 ? QStringLiteral("Parcela de Tributação Exclusiva")
                                   : QStringLiteral("Parcela Compensável");
        return ACol == 1 || ACol == 3 ? QStringLiteral("Rendimento") : QStringLiteral("Imposto Retido");
    }
    const int indice = ARow - LinhasDeTitulo;
    if (indice >= Linhas())
        return {};
    TRendimentoParcial& linha = FComprovante->GetRendimentoParcial(indice);
    try {
        switch (ACol) {
        case 0:
            return linha.GetCodigo();
        case 1:
            return linha.GetRendimentoExclusivo().GetTextoFormatado();
        case 2:
            return linha.GetImpostoExclusivo().GetTextoFormatado();
        case 3:
            return linha.GetRendimentoCompensavel().GetTextoFormatado();
        case 4:
            return linha.GetImpostoCompensavel().GetTextoFormatado();
        default:
            return {};
        }
    } catch (const TErro&) {
        return QStringLiteral("*****");   // a computed part past what 64 bits hold has no text
    }
}

QString TPruvGridRendParcial::GetEditText(int ACol, int ARow)
{
    const int indice = ARow - LinhasDeTitulo;
    if (indice < 0 || indice >= Linhas() || ACol < 3)
        return GetTexto(ACol, ARow);
    TRendimentoParcial& linha = FComprovante->GetRendimentoParcial(indice);
    return ACol == 3 ? linha.GetRendimentoCompensavel().GetTexto() : linha.GetImpostoCompensavel().GetTexto();
}

void TPruvGridRendParcial::SetTexto(int ACol, int ARow, const QString& Value)
{
    const int indice = ARow - LinhasDeTitulo;
    if (indice < 0 || indice >= Linhas() || ACol < 3)
        return;
    TRendimentoParcial& linha = FComprovante->GetRendimentoParcial(indice);
    (ACol == 3 ? linha.GetRendimentoCompensavel() : linha.GetImpostoCompensavel()).SetTexto(Value);
    InvalidateRow(ARow);
    FComprovante->AjustaRendimentoParcial(indice);
}

bool TPruvGridRendParcial::CelulaEditavel(int ACol, int ARow)
{
    return (ACol == 3 || ACol == 4) && ARow >= LinhasDeTitulo;
}

void TPruvGridRendParcial::Atualiza()
{
    // The statement is loaded after it is handed over: its lines are counted again here.
    if (FComprovante)
        AjustaLinhasDeComprovante(*this, Linhas());
    if (ColCount() == 5) {
        SetColWidths(0, 50);
        const int resto = ClientWidth() - 50 - ColCount() * GridLineWidth();
        const int parte = std::max(1, static_cast<int>(std::lround(resto / 4.0)));
        for (int c = 2; c <= 4; ++c)
            SetColWidths(c, parte);
        SetColWidths(1, std::max(1, resto - 3 * parte));
    }
    InvalidateGrid();
}

void TPruvGridRendParcial::DesenhaCelula(int ACol, int ARow, TGridDrawState State, const TRect& Rect)
{
    const QString texto = GetTexto(ACol, ARow);
    if (ARow < LinhasDeTitulo) {
        // Each cell paints its part of the whole box, so that the box reads as one.
        const TGridRect caixa = CaixaTitulo(ACol, ARow);
        const TRect primeira = CellRect(caixa.Left, caixa.Top);
        const TRect ultima = CellRect(caixa.Right, caixa.Bottom);
        const TRect inteira{primeira.Left, primeira.Top, ultima.Right, ultima.Bottom};
        // The cell and the grid lines it shares with the rest of its box.
        QRect area = Rect.ToQRect();
        if (ACol < caixa.Right)
            area.setRight(area.right() + GridLineWidth());
        if (ARow < caixa.Bottom)
            area.setBottom(area.bottom() + GridLineWidth());
        if (ACol > caixa.Left)
            area.setLeft(area.left() - GridLineWidth());
        if (ARow > caixa.Top)
            area.setTop(area.top() - GridLineWidth());
        QPainter& p = Canvas()->Painter();
        p.save();
        p.setClipRect(area);
        DesenhaCelulaTitulo(inteira.Width() > 0 && inteira.Height() > 0 ? inteira : Rect, texto, alCentro);
        p.restore();
    } else if (State & gdFocused) {
        DesenhaCelulaSelecionada(Rect, texto, alDireita);
    } else if (ACol == 0) {
        DesenhaCelulaFixa(Rect, texto, alCentro);
    } else if (ACol <= 2) {
        DesenhaCelulaFixa(Rect, texto, alDireita);
    } else {
        DesenhaCelulaNormal(Rect, texto, alDireita);
    }
}
