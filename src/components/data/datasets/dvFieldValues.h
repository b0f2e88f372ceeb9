#pragma once
#include <QString>

#include "platform/db/cursors/TBookmark.h"
#include "platform/db/sqlite/TFieldType.h"

class TDataSet;
class TField;

// Small, whole and auto-increment integers.
bool dvIsIntegerType(TFieldType dataType);
// Floating-point, money and BCD.
bool dvIsFloatType(TFieldType dataType);

// Whether a text suits a field type: integers need dvIsInteger, floating-point and money types
// dvIsFloat, dates, times and date-times their scanners (a date-time may be a date alone);
// every other type takes any text.
bool dvIsValidFieldValue(TFieldType dataType, const QString& text);
// dvIsValidFieldValue, and an empty text does not do for the numeric, date and time types;
// false without a field.
bool dvIsValidSearchValue(const TField* field, const QString& text);

bool dvIsCalcOrLookupField(const TField* field);
// The dataset has a field of that name.
bool dvDataSetFieldExists(const TDataSet* dataset, const QString& name);
// Any dataset but none.
bool dvIsCompatibleDataSet(const TDataSet* dataset);
// The dataset's comparison of two bookmarks (0 the same record).
int dvCompareBookmarks(TDataSet* dataset, const TBookmark& a, const TBookmark& b);

// True at once when the current record's field text equals the value (after lower-casing both
// when not case-sensitive); otherwise the locate engine searches from the first record.
bool dvFindMatch(TDataSet* dataset, const QString& value, const QString& fieldName, int matchType, bool caseSensitive);
