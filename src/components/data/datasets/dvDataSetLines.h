#pragma once
#include <QString>
#include <QStringList>

#include "components/data/settings/IdvPublished.h"

class TDataSet;
class TField;

// The setting lines of a component read and applied through its dataset and fields.

// The type of the field's ControlType line and the rest of the line after it, at most 255
// characters (both empty when none, or when the component keeps no ControlType).
void dvGetControlInfo(IdvPublished* component, const QString& field, QString& type, QString& parameters);
// A blob field whose dataset's ControlType has a line FIELD;RichEdit, or, with checkContent,
// whose content begins with "{\rtf".
bool dvIsRichEditField(const TField* field, bool checkContent);

// The LookupLinks line of the field's LookupFields line, and the lookup table's result field
// (fourth token); empty when the dataset has none.
QString dvGetFieldLookupLinks(TDataSet* dataset, const QString& field);
QString dvGetFieldLookupResultField(TDataSet* dataset, const QString& field);
// Deletes the lines of fields that the dataset does not have (a LookupFields line takes its
// LookupLinks line with it). Any list may be null.
void dvDataSetRemoveObsoleteFields(const TDataSet* dataset, QStringList* lookupFields, QStringList* lookupLinks,
                                   QStringList* controlTypes);

// Shows only the fields of the Selected lines, in their order, with their widths and titles.
void dvDataSetApplySelected(TDataSet* dataset, const QStringList& selected);
// One Selected line per visible field: name, TAB, display width, TAB, display label.
void dvDataSetToSelected(const TDataSet* dataset, QStringList& selected);
