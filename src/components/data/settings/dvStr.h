#pragma once
#include <QString>
#include <QStringList>

// Small text routines that cut the library's ';'- and TAB-separated setting lines.

// The text from pos (counted from 1) up to the delimiter. pos then moves past the delimiter, or
// becomes -1 when no delimiter follows (the token is the rest) or pos was past the end. A pos of
// 0 or less gives empty text. A delimiter of more than one character is matched as a word, with
// a blank on each side and without regard to case ("AND" finds " and ").
QString dvStrGetToken(const QString& text, int& pos, const QString& delimiter);

// Clears the list and adds each delimiter-separated piece; a trailing delimiter gives a final
// empty piece.
void dvStrSplit(const QString& text, const QString& delimiter, QStringList& list);

// Removes the trailing characters that belong to the set.
void dvStrTrimRightSet(QString& text, const QString& characterSet);

QString dvStrReplaceChar(const QString& text, QChar from, QChar to);
bool dvSameText(const QString& a, const QString& b);
int dvStrCountChar(const QString& text, QChar c);

// The text after or before the first occurrence of the character; empty when it is absent.
QString dvStrAfterChar(const QString& text, QChar c);
QString dvStrBeforeChar(const QString& text, QChar c);

// The file name of a path up to its first "."; a name without a dot is kept whole.
QString dvStrFileNameOnly(const QString& path);
