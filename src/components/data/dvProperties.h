#pragma once
#include <QString>
#include <QStringList>
#include <optional>

class QObject;

// Published properties of any component, reached by name through Qt's property system, so any
// dataset or control class that declares them takes part (Q_PROPERTY or a dynamic property).
// A missing property, or no object, gives the stated default and never raises. Types:
//   PictureMasks, ControlType, LookupFields, LookupLinks   QStringList
//   DataSource, MasterSource                               pointer to a QObject subclass
//   DataField, DatabaseName                                QString
//   WantReturns, PictureMaskFromDataSet                    bool
//   BorderStyle                                            int, TdvBorderStyle
//   OnFilterOptions                                        int, a set of TdvOnFilterOption bits

enum TdvBorderStyle { bsNone = 0, bsSingle = 1 };
enum TdvOnFilterOptionBit { ofoEnabledBit = 1, ofoShowHourGlassBit = 2, ofoCancelOnEscapeBit = 4 };

// nullopt when the component has no such list.
std::optional<QStringList> dvGetPictureMasks(const QObject* component);
std::optional<QStringList> dvGetControlType(const QObject* component);
std::optional<QStringList> dvGetLookupFields(const QObject* component);
std::optional<QStringList> dvGetLookupLinks(const QObject* component);
// Writes a list back; false when the component has no such list.
bool dvSetPictureMasks(QObject* component, const QStringList& lines);
bool dvSetControlType(QObject* component, const QStringList& lines);
bool dvSetLookupFields(QObject* component, const QStringList& lines);
bool dvSetLookupLinks(QObject* component, const QStringList& lines);

QObject* dvGetDataSource(const QObject* component);          // nullptr when absent
bool dvSetDataSource(QObject* component, QObject* dataSource);   // false when absent
QObject* dvGetMasterSource(const QObject* dataset);           // nullptr when absent
// Leaves field unchanged when absent.
void dvGetDataField(const QObject* component, QString& field);
bool dvSetDataField(QObject* component, const QString& field);
// bsSingle when single, else bsNone; false when absent.
bool dvSetBorderStyle(QObject* control, bool single);
bool dvGetWantReturns(const QObject* control);                // false when absent
// Sets or clears ofoEnabled; nothing when absent.
void dvSetOnFilterEnabled(QObject* dataset, bool enabled);
bool dvGetPictureMaskFromDataSet(const QObject* control);     // true when absent
QString dvGetDatabaseName(const QObject* dataset);            // empty when absent
