#include "platform/db/datasets/TFieldDataLink.h"

void TFieldDataLink::SetFieldName(const QString& nome)
{
    if (FFieldName == nome)
        return;
    FFieldName = nome;
    AtualizaCampo();
}

bool TFieldDataLink::CanModify() const
{
    return !ReadOnly() && FField && FField->CanModify();
}

void TFieldDataLink::Reset()
{
    RecordChanged(nullptr);
}

void TFieldDataLink::AtualizaCampo()
{
    TDataSet* dados = DataSet();
    TField* campo = Active() && dados && !FFieldName.isEmpty() ? dados->FindField(FFieldName) : nullptr;
    if (campo == FField)
        return;
    FField = campo;
    FModified = false;
    if (OnDataChange)
        OnDataChange();
}

void TFieldDataLink::ActiveChanged()
{
    AtualizaCampo();
    if (OnActiveChange)
        OnActiveChange();
}

void TFieldDataLink::LayoutChanged()
{
    AtualizaCampo();
    RecordChanged(nullptr);
}

void TFieldDataLink::EditingChanged()
{
    if (OnEditingChange)
        OnEditingChange();
}

void TFieldDataLink::FocusControl(TField* campo)
{
    if (campo && campo == FField && OnFocusControl)
        OnFocusControl();
}

void TFieldDataLink::RecordChanged(TField* campo)
{
    if (campo && campo != FField)
        return;
    FModified = false;
    if (OnDataChange)
        OnDataChange();
}

void TFieldDataLink::UpdateData()
{
    if (!FModified)
        return;
    if (OnUpdateData)
        OnUpdateData();
    FModified = false;
}
