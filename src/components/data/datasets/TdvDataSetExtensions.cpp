#include "components/data/datasets/TdvDataSetExtensions.h"

#include <QScopedValueRollback>

#include "components/data/datasets/TdvTable.h"
#include "components/data/datasets/dvEscapeFilter.h"
#include "platform/ui/InterfaceUsuario.h"

TdvDataSetExtensions::TdvDataSetExtensions() = default;

TdvDataSetExtensions::~TdvDataSetExtensions()
{
    RestoreCursor();
}

bool TdvDataSetExtensions::SetPublishedOnFilterEnabled(bool habilitado)
{
    SetOptionsFromEscape(habilitado ? (FOnFilterOptions | ofoEnabled) : (FOnFilterOptions & ~ofoEnabled));
    return true;
}

bool TdvDataSetExtensions::FilterRecord(TDataSet* dataSet)
{
    if (FDestruindo || !FOnFilter || FReentrada || (FOnFilterOptions & ofoEnabled) == 0)
        return true;
    bool aceito = true;
    {
        const QScopedValueRollback<bool> reentrada(FReentrada, true);   // down again on every way out
        FOnFilter(dataSet, aceito);
    }
    if ((FOnFilterOptions & ofoShowHourGlass) && !FAmpulheta && !aceito) {
        InterfaceUsuario::Atividade().IniciaOcupado();
        FAmpulheta = true;
    }
    if (FOnFilterOptions & ofoCancelOnEscape) {
        if (++FContadorEsc >= 32000)
            FContadorEsc = 0;
        if (FContadorEsc % 100 == 0 && dvProcessEscapeFilterEvent(this) && OnFilterEscape)
            OnFilterEscape(dataSet);
    }
    return aceito;
}

bool TdvDataSetExtensions::FilterRecordOnly(TDataSet* dataSet)
{
    if (FDestruindo || !FOnFilter || FReentrada)
        return true;
    bool aceito = true;
    const QScopedValueRollback<bool> reentrada(FReentrada, true);
    FOnFilter(dataSet, aceito);
    return aceito;
}

void TdvDataSetExtensions::RestoreCursor()
{
    if (!FAmpulheta)
        return;
    FAmpulheta = false;
    InterfaceUsuario::Atividade().TerminaOcupado();
}

void TdvDataSetExtensions::FreeLookupTables()
{
    FLookupTables.clear();
}
