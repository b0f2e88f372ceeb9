#include "components/data/datasets/dvDataSetLines.h"

#include "components/data/settings/dvProperties.h"
#include "components/data/settings/dvSettingLines.h"
#include "platform/db/datasets/TControlesDesligados.h"
#include "platform/db/datasets/TDataSet.h"
#include "platform/db/datasets/TField.h"

namespace {

const QChar tab = QLatin1Char('\t');

}   // namespace

void dvGetControlInfo(IdvPublished* component, const QString& field, QString& type, QString& parameters)
{
    if (const QStringList* tipos = dvGetControlType(component))
        dvControlTypeLineInfo(*tipos, field, type, parameters);
    else {
        type.clear();
        parameters.clear();
    }
}

bool dvIsRichEditField(const TField* field, bool checkContent)
{
    if (!field || !field->IsBlob())
        return false;
    if (const QStringList* tipos = dvGetControlType(dvPublished(field->DataSet()));
        tipos && dvHasRichEditLine(*tipos, field->FieldName()))
        return true;
    return checkContent && field->DataSet() && field->AsBytes().startsWith("{\\rtf");
}

QString dvGetFieldLookupLinks(TDataSet* dataset, const QString& field)
{
    IdvPublished* publicado = dvPublished(dataset);
    const QStringList* campos = dvGetLookupFields(publicado);
    const QStringList* ligacoes = dvGetLookupLinks(publicado);
    return campos && ligacoes ? dvFieldLookupLinks(*campos, *ligacoes, field) : QString();
}

QString dvGetFieldLookupResultField(TDataSet* dataset, const QString& field)
{
    const QStringList* campos = dvGetLookupFields(dvPublished(dataset));
    return campos ? dvFieldLookupResultField(*campos, field) : QString();
}

void dvDataSetRemoveObsoleteFields(const TDataSet* dataset, QStringList* lookupFields, QStringList* lookupLinks,
                                   QStringList* controlTypes)
{
    if (!dataset)
        return;
    QStringList vazia1;
    QStringList vazia2;
    QStringList vazia3;
    dvRemoveObsoleteLines([dataset](const QString& nome) { return dataset->FindField(nome) != nullptr; },
                          lookupFields ? *lookupFields : vazia1, lookupLinks ? *lookupLinks : vazia2,
                          controlTypes ? *controlTypes : vazia3);
}

void dvDataSetApplySelected(TDataSet* dataset, const QStringList& selected)
{
    if (!dataset)
        return;
    TControlesDesligados desligados(*dataset);
    for (int i = 0; i < dataset->FieldCount(); ++i)
        dataset->Fields(i)->SetVisible(false);
    for (int i = 0; i < selected.size(); ++i) {
        const QStringList partes = selected[i].split(tab);
        TField* campo = dataset->FindField(partes.value(0));
        if (!campo)
            continue;
        campo->SetDisplayWidth(partes.value(1).toInt());
        campo->SetDisplayLabel(partes.value(2));
        campo->SetIndex(i);
        campo->SetVisible(true);
    }
}

void dvDataSetToSelected(const TDataSet* dataset, QStringList& selected)
{
    selected.clear();
    if (!dataset)
        return;
    for (int i = 0; i < dataset->FieldCount(); ++i) {
        const TField* campo = dataset->Fields(i);
        if (campo->Visible())
            selected << campo->FieldName() + tab + QString::number(campo->DisplayWidth()) + tab + campo->DisplayLabel();
    }
}
