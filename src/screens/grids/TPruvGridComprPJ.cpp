#include "screens/grids/TPruvGridComprPJ.h"

#include <algorithm>

#include "model/statements/TComprovantePJ.h"
#include "screens/grids/LinhasDeComprovante.h"

namespace {

const char* const Meses[] = {"Jan", "Fev", "Mar", "Abr", "Mai", "Jun", "Jul", "Ago", "Set", "Out", "Nov", "Dez"};
const char* const Titulos[] = {"Mês", "Código", "Natureza do Rendimento", "Rendimento", "Imposto"};
constexpr int ColunaNatureza = 2;

}   // namespace

TPruvGridComprPJ::TPruvGridComprPJ(QWidget* parent)
    : TPruvCustomGrid(parent)
{
    SetColCount(5);
    SetRowCount(2);
    SetFixedCols(0);
    SetFixedRows(1);
    SetScrollBars(TScrollStyle::ssBoth);
    resize(590, 269);
    SelecionaCelula(ColunaNatureza, 1);
}

int TPruvGridComprPJ::Linhas() const
{
    return FComprovante ? FComprovante->QuantidadeLinhas() : 0;
}

void TPruvGridComprPJ::SetComprovante(TComprovantePJ* comprovante)
{
    FComprovante = comprovante;
    SetFixedRows(1);
    Atualiza();   // counts the statement's rows
    SelecionaCelula(ColunaNatureza, Row());
}

QString TPruvGridComprPJ::GetTexto(int ACol, int ARow)
{
    if (ARow == 0)
        return ACol >= 0 && ACol < 5 ? QString::fromUtf8(Titulos[ACol]) : QString();
    const int indice = ARow - 1;
    if (indice >= Linhas())
        return {};
    const TRendimentoMensalPJ& linha = FComprovante->GetLinha(indice);
    switch (ACol) {
    case 0:
        return QString::fromUtf8(Meses[(linha.GetMes() - 1) % 12]);
    case 1:
        return linha.GetCodigo();
    case 2:
        return linha.GetNatureza();
    case 3:
        return linha.GetRendimento().GetTextoFormatado();
    case 4:
        return linha.GetImposto().GetTextoFormatado();
    default:
        return {};
    }
}

QString TPruvGridComprPJ::GetEditText(int ACol, int ARow)
{
    return GetTexto(ACol, ARow);
}

void TPruvGridComprPJ::SetTexto(int ACol, int ARow, const QString& Value)
{
    const int indice = ARow - 1;
    if (ACol == ColunaNatureza && indice >= 0 && indice < Linhas())
        FComprovante->GetLinha(indice).SetNatureza(Value);
}

bool TPruvGridComprPJ::CelulaEditavel(int ACol, int ARow)
{
    return ACol == ColunaNatureza && ARow >= FixedRows();
}

void TPruvGridComprPJ::Atualiza()
{
    // The statement is loaded after it is handed over: its lines are counted again here.
    if (FComprovante) {
        AjustaLinhasDeComprovante(*this, Linhas());
        if (Row() >= RowCount())
            SelecionaCelula(ColunaNatureza, RowCount() - 1);
    }
    if (ColCount() == 5) {
        SetColWidths(0, 50);
        SetColWidths(1, 50);
        SetColWidths(3, 100);
        SetColWidths(4, 100);
        // The nature takes what the others leave of the visible width (their grid lines
        // included), so that the last column is not cut by a pixel.
        const int outras = 300 + ColCount() * GridLineWidth();
        SetColWidths(ColunaNatureza, std::max(390, viewport()->width() - outras));
    }
    InvalidateGrid();
}

bool TPruvGridComprPJ::AlgumaColunaCortada() const
{
    int largura = 0;
    for (int coluna = 0; coluna < ColCount(); ++coluna)
        largura += ColWidths(coluna) + GridLineWidth();
    return largura > viewport()->width();
}

void TPruvGridComprPJ::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (!EditorMode() && !(shift & ~Qt::KeypadModifier) && (key == Qt::Key_Right || key == Qt::Key_Left)
        && AlgumaColunaCortada()) {
        int primeira = 0;
        if (key == Qt::Key_Right) {
            // The first column from which the last one still shows whole, the nature kept.
            primeira = ColCount() - 1;
            int largura = ColWidths(primeira) + GridLineWidth();
            while (primeira > 0 && largura + ColWidths(primeira - 1) + GridLineWidth() <= viewport()->width())
                largura += ColWidths(--primeira) + GridLineWidth();
            primeira = std::min(primeira, ColunaNatureza);
        }
        SetLeftCol(primeira);
        key = 0;
        return;
    }
    TPruvCustomGrid::KeyDown(key, shift);
}

void TPruvGridComprPJ::DesenhaCelula(int ACol, int ARow, TGridDrawState State, const TRect& Rect)
{
    if (ARow >= FixedRows() && !(State & gdFocused) && ACol != ColunaNatureza) {
        DesenhaCelulaFixa(Rect, GetTexto(ACol, ARow), ACol <= 1 ? alCentro : alDireita);
        return;
    }
    TPruvCustomGrid::DesenhaCelula(ACol, ARow, State, Rect);
}
