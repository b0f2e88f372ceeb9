#pragma once
#include <QString>

class TDataSet;
class TField;

// How a search value must match a field's text.
enum TdvMatchType : unsigned char {
    mtExact = 0,      // the whole text
    mtPartial = 1,    // the start of the text
    mtAnywhere = 2,   // any part of the text
};

// Finds the first record whose field matches the value and makes it current (the controls show
// it); without a match the dataset stays on the record it was on. fromFirst starts at the first
// record, otherwise at the record after the current one. A case-insensitive search compares
// upper-cased texts. Uses the table's current index when it answers the same question, else
// reads record by record. An unknown field shows the warning "Field <name> not found." and
// gives false.
bool dvLocateEngine(bool fromFirst, TDataSet* dataset, const QString& fieldName, int matchType, bool caseSensitive,
                    const QString& value);

// The match rules on a field's text: exact (two empty texts match), partial, anywhere; an
// empty value matches nothing partially. Case-insensitive, both texts are upper-cased.
bool dvTextMatch(const QString& fieldText, const QString& value, int matchType, bool caseSensitive);

// The text a search compares for a field of the current record: calculated and lookup fields
// as displayed, numbers (money too) as floating-point text, dates and times in the program's
// formats, booleans "True"/"False", a blank value or a binary field as empty text. Memos give
// their plain text (rich text converted).
QString dvFieldSearchText(const TField& field);

// A memo field (plain or formatted).
bool dvIsMemoField(const TField& field);
