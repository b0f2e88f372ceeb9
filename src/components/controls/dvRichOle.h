#pragma once

class QWidget;
struct IRichEditOle;
struct IRichEditOleCallback;

// Attaching an object-embedding callback to a rich-text edit and fetching its embedding
// interface. Objects cannot be embedded in a rich-text edit on this platform: both answer false,
// and the interface comes back null.
bool dvRichEditSetOleCallback(QWidget* richEdit, IRichEditOleCallback* callback);
bool dvRichEditGetOleInterface(QWidget* richEdit, IRichEditOle*& oleInterface);
