#pragma once
#include <QMetaType>
#include <QString>
#include <QStringList>

#include "components/data/settings/IdvPublished.h"

class QObject;
class TDataSource;

// TDataSource* may be the type of a control's DataSource property.
Q_DECLARE_OPAQUE_POINTER(TDataSource*)
Q_DECLARE_METATYPE(TDataSource*)

// Published properties of any component, reached without knowing its class. A missing property,
// or no component, gives the stated default and never raises.
//
// Datasets and the controls that keep setting lists publish through IdvPublished. Controls
// publish their other properties as Qt properties (Q_PROPERTY or dynamic) of these types:
//   DataSource TDataSource*   DataField QString   BorderStyle int (TdvBorderStyle)
//   WantReturns bool          PictureMaskFromDataSet bool

enum TdvBorderStyle { bsNone = 0, bsSingle = 1 };

// The component as a publisher; nullptr when its class publishes nothing.
IdvPublished* dvPublished(TDataSet* dataset);
IdvPublished* dvPublished(QObject* component);

// nullptr when the component has no such list.
QStringList* dvGetPictureMasks(IdvPublished* component);
QStringList* dvGetControlType(IdvPublished* component);
QStringList* dvGetLookupFields(IdvPublished* component);
QStringList* dvGetLookupLinks(IdvPublished* component);
// An empty event when absent.
IdvPublished::TInvalidValueEvent dvGetOnInvalidValue(const IdvPublished* dataset);
TDataSource* dvGetMasterSource(const IdvPublished* dataset);   // nullptr when absent
QString dvGetDatabaseName(const IdvPublished* dataset);        // empty when absent
// Sets or clears ofoEnabled; nothing when absent.
void dvSetOnFilterEnabled(IdvPublished* dataset, bool enabled);

TDataSource* dvGetDataSource(const QObject* control);              // nullptr when absent
bool dvSetDataSource(QObject* control, TDataSource* dataSource);   // false when absent
// Leaves field unchanged when absent.
void dvGetDataField(const QObject* control, QString& field);
bool dvSetDataField(QObject* control, const QString& field);
// bsSingle when single, else bsNone; false when absent.
bool dvSetBorderStyle(QObject* control, bool single);
bool dvGetWantReturns(const QObject* control);              // false when absent
bool dvGetPictureMaskFromDataSet(const QObject* control);   // true when absent
