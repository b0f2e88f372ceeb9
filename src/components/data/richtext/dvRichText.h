#pragma once
#include <QByteArray>
#include <QString>

// True when the stored text is rich text ("{\rtf" at its start).
bool dvIsRichText(const QByteArray& content);

// The plain text of a rich-text document, as a rich-text control would show it: groups of
// fonts, colours, styles, document information, pictures and objects are dropped, paragraphs
// and line breaks become "\n", tabs "\t", hex escapes are Windows-1252 characters and \u
// escapes Unicode ones. Text that is not rich text comes back as Latin-1.
QString dvRichTextToPlain(const QByteArray& content);
