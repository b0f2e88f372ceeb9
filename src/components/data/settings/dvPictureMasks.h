#pragma once
#include <QString>

#include "components/data/settings/IdvPublished.h"
#include "components/data/settings/dvSettingLines.h"

class QObject;
class TDataSet;

// Picture masks of a component's PictureMasks lines, as the datasets and controls use them.

// Whose PictureMasks apply to a control: the dataset's (the given one, else that of the
// control's data source) when the control's PictureMaskFromDataSet is true or absent and the
// dataset publishes PictureMasks; else the control's own. nullptr when neither publishes.
IdvPublished* dvGetPictureMaskOwner(QObject* control, TDataSet* dataset);

// The field's mask and flags from the owner's line (both flags true when it gives none). With
// useTablePictures, a picture that the table itself stores for the field wins, and is written
// into the field's line when it has one.
TdvPictureMaskInfo dvGetPictureMaskInfo(IdvPublished* owner, const QString& field, bool useTablePictures);
// Writes, replaces or (empty mask) deletes the field's line; nothing when the owner has no list.
void dvSetPictureMaskInfo(IdvPublished* owner, const QString& field, const TdvPictureMaskInfo& info,
                          TdvPictureMaskKeep keep = {});
// The picture that the dataset's table stores for one of its fields; empty otherwise.
QString dvGetTablePicture(TDataSet* dataset, const QString& field);

// Before a record is posted: every field that has a picture (table pictures first) and a text
// must be complete by it. The first field that is not takes the focus (unless it is read-only),
// goes to onInvalidValue, and raises EDatabaseError "Invalid characters. Field : " (the global
// texts' PictureValidateError) followed by its display name.
void dvValidatePictureFields(TDataSet* dataset, const IdvPublished::TInvalidValueEvent& onInvalidValue);
