#include "components/data/settings/dvProperties.h"

#include <QObject>
#include <QVariant>

#include "platform/db/datasets/TDataSet.h"

namespace {

// Only a property the class declares or that was set on the object counts; setProperty would
// otherwise invent one.
bool HasProperty(const QObject* objeto, const char* nome)
{
    return objeto && objeto->property(nome).isValid();
}

bool Set(QObject* objeto, const char* nome, const QVariant& valor)
{
    return HasProperty(objeto, nome) && objeto->setProperty(nome, valor);
}

}   // namespace

IdvPublished* dvPublished(TDataSet* dataset)
{
    return dynamic_cast<IdvPublished*>(dataset);
}

IdvPublished* dvPublished(QObject* component)
{
    return dynamic_cast<IdvPublished*>(component);
}

QStringList* dvGetPictureMasks(IdvPublished* component)
{
    return component ? component->PublishedPictureMasks() : nullptr;
}

QStringList* dvGetControlType(IdvPublished* component)
{
    return component ? component->PublishedControlType() : nullptr;
}

QStringList* dvGetLookupFields(IdvPublished* component)
{
    return component ? component->PublishedLookupFields() : nullptr;
}

QStringList* dvGetLookupLinks(IdvPublished* component)
{
    return component ? component->PublishedLookupLinks() : nullptr;
}

IdvPublished::TInvalidValueEvent dvGetOnInvalidValue(const IdvPublished* dataset)
{
    const IdvPublished::TInvalidValueEvent* evento = dataset ? dataset->PublishedOnInvalidValue() : nullptr;
    return evento ? *evento : IdvPublished::TInvalidValueEvent();
}

TDataSource* dvGetMasterSource(const IdvPublished* dataset)
{
    return dataset ? dataset->PublishedMasterSource() : nullptr;
}

QString dvGetDatabaseName(const IdvPublished* dataset)
{
    return dataset ? dataset->PublishedDatabaseName() : QString();
}

void dvSetOnFilterEnabled(IdvPublished* dataset, bool enabled)
{
    if (dataset)
        dataset->SetPublishedOnFilterEnabled(enabled);
}

TDataSource* dvGetDataSource(const QObject* control)
{
    return HasProperty(control, "DataSource") ? control->property("DataSource").value<TDataSource*>() : nullptr;
}

bool dvSetDataSource(QObject* control, TDataSource* dataSource)
{
    return Set(control, "DataSource", QVariant::fromValue(dataSource));
}

void dvGetDataField(const QObject* control, QString& field)
{
    if (HasProperty(control, "DataField"))
        field = control->property("DataField").toString();
}

bool dvSetDataField(QObject* control, const QString& field)
{
    return Set(control, "DataField", field);
}

bool dvSetBorderStyle(QObject* control, bool single)
{
    return Set(control, "BorderStyle", int(single ? bsSingle : bsNone));
}

bool dvGetWantReturns(const QObject* control)
{
    return HasProperty(control, "WantReturns") && control->property("WantReturns").toBool();
}

bool dvGetPictureMaskFromDataSet(const QObject* control)
{
    return !HasProperty(control, "PictureMaskFromDataSet") || control->property("PictureMaskFromDataSet").toBool();
}
