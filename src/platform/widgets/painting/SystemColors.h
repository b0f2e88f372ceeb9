#pragma once
#include <QColor>

// The platform's named system colours, read from the application's palette when asked, so that
// a control's default colours follow the desktop's scheme as the original ones did.
namespace SystemColors {

QColor Window();                // the background of edits and lists
QColor WindowText();            // their text
QColor BtnFace();               // the face of buttons and dialogs
QColor ActiveCaption();         // the title bar of the active window
QColor InactiveCaptionText();   // the dimmed text of an inactive title bar
QColor Highlight();             // selected items
QColor HighlightText();

}   // namespace SystemColors
