#pragma once
#include <QString>
#include <QStringList>
#include <functional>

// The library's per-field setting lines, kept in string lists by the datasets and controls:
//   PictureMasks   FIELD TAB mask TAB T|F (auto-fill) TAB T|F (allow invalid exit)
//   ControlType    FIELD;Type;parameters
//   LookupFields   FIELD;DatabaseName;TableName;LookupField;IndexName;IndexField1;...
//   LookupLinks    line i holds master;lookup field pairs of LookupFields line i
//   Selected       FIELD TAB display width TAB title
// Field names are matched without regard to case, except the first token of LookupFields.

struct TdvPictureMaskInfo {
    QString Mask;
    bool AutoFill = true;           // T when the line does not say
    bool AllowInvalidExit = true;   // T when the line does not say
};

// The index of the field's PictureMasks line, -1 when none.
int dvFindPictureMaskLine(const QStringList& masks, const QString& field);
// The field's mask and flags; an empty mask with both flags true when it has no line.
TdvPictureMaskInfo dvPictureMaskLineInfo(const QStringList& masks, const QString& field);

// Which parts of an existing line dvSetPictureMaskLine keeps.
struct TdvPictureMaskKeep {
    bool Mask = false;
    bool Flags = false;
};
// Writes or replaces the field's line (flags as T or F); an empty resulting mask deletes it.
void dvSetPictureMaskLine(QStringList& masks, const QString& field, const TdvPictureMaskInfo& info,
                          TdvPictureMaskKeep keep = {});

// The longest parameter text of a ControlType line that the controls read.
constexpr int dvMaxControlParameters = 255;
// The type of the field's ControlType line and the rest of the line after it, cut at
// dvMaxControlParameters characters; both empty when the field has no line.
void dvControlTypeLineInfo(const QStringList& controlTypes, const QString& field, QString& type, QString& parameters);
// "CustomEdit", "LookupCombo" and "Combo", without regard to case.
bool dvIsCustomControlType(const QString& type);
// The field has a line FIELD;RichEdit.
bool dvHasRichEditLine(const QStringList& controlTypes, const QString& field);

// The LookupLinks line that belongs to the field's LookupFields line; empty when none.
QString dvFieldLookupLinks(const QStringList& lookupFields, const QStringList& lookupLinks, const QString& field);
// The lookup table's result field: the fourth token of the field's LookupFields line.
QString dvFieldLookupResultField(const QStringList& lookupFields, const QString& field);

// Deletes the lines of fields for which fieldExists is false; a LookupFields line takes its
// LookupLinks line with it.
void dvRemoveObsoleteLines(const std::function<bool(const QString&)>& fieldExists, QStringList& lookupFields,
                           QStringList& lookupLinks, QStringList& controlTypes);

// The index of the first Selected line whose text before the first TAB is the field.
bool dvFindSelectedField(const QStringList& selected, const QString& field, int& index);

// Joins QBE or SQL lines: by CR LF, or by one blank (SQL text).
QString dvStringsToText(const QStringList& lines, bool blank);
