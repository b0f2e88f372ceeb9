#include "components/controls/grid/TdvColumn.h"

#include "components/controls/grid/TdvCustomDBGrid.h"

TdvColumn::TdvColumn(TdvCustomDBGrid& grid, const QString& fieldName, bool padrao)
    : FGrid(grid)
    , FFieldName(fieldName)
    , FPadrao(padrao)
{}

void TdvColumn::SetFooterValue(const QString& valor)
{
    if (valor == FFooterValue)
        return;
    FFooterValue = valor;
    if (!FPadrao)
        FGrid.InvalidateFooter();
}

bool TdvColumn::ReadOnly() const
{
    return !FPadrao && FGrid.GetSelectedPart(FFieldName, 3) == QLatin1String("T");
}
