#include "components/data/dvProperties.h"

#include <QObject>
#include <QVariant>

namespace {

// Only a property the class declares or that was set on the object counts; setProperty would
// otherwise invent one.
bool HasProperty(const QObject* objeto, const char* nome)
{
    return objeto && objeto->property(nome).isValid();
}

std::optional<QStringList> GetList(const QObject* objeto, const char* nome)
{
    if (!HasProperty(objeto, nome))
        return std::nullopt;
    return objeto->property(nome).toStringList();
}

bool Set(QObject* objeto, const char* nome, const QVariant& valor)
{
    if (!HasProperty(objeto, nome))
        return false;
    return objeto->setProperty(nome, valor);
}

QObject* GetObject(const QObject* objeto, const char* nome)
{
    if (!HasProperty(objeto, nome))
        return nullptr;
    return objeto->property(nome).value<QObject*>();
}

}  // namespace

std::optional<QStringList> dvGetPictureMasks(const QObject* component)
{
    return GetList(component, "PictureMasks");
}

std::optional<QStringList> dvGetControlType(const QObject* component)
{
    return GetList(component, "ControlType");
}

std::optional<QStringList> dvGetLookupFields(const QObject* component)
{
    return GetList(component, "LookupFields");
}

std::optional<QStringList> dvGetLookupLinks(const QObject* component)
{
    return GetList(component, "LookupLinks");
}

bool dvSetPictureMasks(QObject* component, const QStringList& lines)
{
    return Set(component, "PictureMasks", lines);
}

bool dvSetControlType(QObject* component, const QStringList& lines)
{
    return Set(component, "ControlType", lines);
}

bool dvSetLookupFields(QObject* component, const QStringList& lines)
{
    return Set(component, "LookupFields", lines);
}

bool dvSetLookupLinks(QObject* component, const QStringList& lines)
{
    return Set(component, "LookupLinks", lines);
}

QObject* dvGetDataSource(const QObject* component)
{
    return GetObject(component, "DataSource");
}

bool dvSetDataSource(QObject* component, QObject* dataSource)
{
    if (!HasProperty(component, "DataSource"))
        return false;
    // The property is typed by its own class: hand the pointer over in that type.
    QVariant valor = component->property("DataSource");
    const QMetaType tipo = valor.metaType();
    if (tipo.flags().testFlag(QMetaType::PointerToQObject))
        valor = QVariant(tipo, &dataSource);
    else
        valor = QVariant::fromValue(dataSource);
    return component->setProperty("DataSource", valor);
}

QObject* dvGetMasterSource(const QObject* dataset)
{
    return GetObject(dataset, "MasterSource");
}

void dvGetDataField(const QObject* component, QString& field)
{
    if (HasProperty(component, "DataField"))
        field = component->property("DataField").toString();
}

bool dvSetDataField(QObject* component, const QString& field)
{
    return Set(component, "DataField", field);
}

bool dvSetBorderStyle(QObject* control, bool single)
{
    return Set(control, "BorderStyle", int(single ? bsSingle : bsNone));
}

bool dvGetWantReturns(const QObject* control)
{
    return HasProperty(control, "WantReturns") && control->property("WantReturns").toBool();
}

void dvSetOnFilterEnabled(QObject* dataset, bool enabled)
{
    if (!HasProperty(dataset, "OnFilterOptions"))
        return;
    int opcoes = dataset->property("OnFilterOptions").toInt();
    opcoes = enabled ? (opcoes | ofoEnabledBit) : (opcoes & ~ofoEnabledBit);
    dataset->setProperty("OnFilterOptions", opcoes);
}

bool dvGetPictureMaskFromDataSet(const QObject* control)
{
    return !HasProperty(control, "PictureMaskFromDataSet") || control->property("PictureMaskFromDataSet").toBool();
}

QString dvGetDatabaseName(const QObject* dataset)
{
    return HasProperty(dataset, "DatabaseName") ? dataset->property("DatabaseName").toString() : QString();
}
